// The one reset of the process's values, judged against a process that really
// is fresh: after a run that changed everything, the program starts and
// answers its keys exactly as at launch.
#include "app/Process.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/GlTest.h"

namespace {

// Keys that read the selectors, help, full screen and the frame-rate line, and
// frames across the first latch of the frame count and the start hint's end.
std::vector<uint8_t> FirstFrames() {
  std::vector<uint8_t> frames;
  Type("nl?cf");
  for (const int64_t ms : {0, 500, 1100, 3100}) {
    DisplayAt(ms);
    const std::vector<uint8_t> pixels = Pixels();
    frames.insert(frames.end(), pixels.begin(), pixels.end());
  }
  frames.push_back(static_cast<uint8_t>(TestWindow().fullScreenRequests));
  frames.push_back(static_cast<uint8_t>(TestWindow().reshapeRequests));
  return frames;
}

TEST(Process, AResetGivesBackEveryValueAFreshProcessStartsWith) {
  const std::string path = testing::TempDir() + "wendrix-fresh-frames";
  // A death test's child runs this binary again for this test alone: a fresh process.
  EXPECT_EXIT(
      {
        StartProgramAsLaunched(160, 120);
        const std::vector<uint8_t> frames = FirstFrames();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(frames.data()),
                   static_cast<std::streamsize>(frames.size()));
        std::exit(0);
      },
      testing::ExitedWithCode(0), "");
  std::ifstream file(path, std::ios::binary);
  const std::vector<uint8_t> fresh{std::istreambuf_iterator<char>(file), {}};
  std::remove(path.c_str());

  StartProgram(160, 120);
  Type("nnnnnnlllllllll?fc<right><up>>osp(r");
  for (int64_t ms = 0; ms < 5000; ms += 250) DisplayAt(ms);
  Type("<esc>");
  for (int64_t ms = 5000; ms < 6000; ms += 16) DisplayAt(ms);

  StartProgram(160, 120);
  EXPECT_TRUE(FirstFrames() == fresh) << "frames after the reset differ from a fresh process's";
}

}  // namespace
