// The picture made on the processor against GL's: the same frame both ways,
// every pixel within one level, with the message, the frame-rate line and the
// letterbox bars.
#include "present/ImageFrame.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "saver/Scene.h"
#include "tests/support/GlTest.h"

namespace {

struct View {
  int width, height, tesselation, letterbox, scheme;
  bool fps;
  int64_t ms;  // before 3000 the start's message is still shown
};

void ExpectGlsPicture(const View& v) {
  SCOPED_TRACE(testing::Message() << v.width << "x" << v.height << " tesselation " << v.tesselation
                                  << " letterbox " << v.letterbox << " scheme " << v.scheme
                                  << (v.fps ? " fps" : "") << " at " << v.ms << " ms");
  SceneOptions options;
  options.seed = 11;
  options.tesselation = v.tesselation;
  options.letterbox = v.letterbox;
  options.scheme = v.scheme;
  options.fps = v.fps;
  StartProgram(v.width, v.height);
  StartScene(options);
  DisplayAt(v.ms);
  const std::vector<uint8_t> gl = Pixels();

  StartProgram(v.width, v.height);  // the state afresh, the start's message pending
  StartImagePicture(v.width, v.height);
  StartScene(options);
  std::vector<uint32_t> words(static_cast<size_t>(v.width) * v.height, 0x12345678);
  TurnClockTo(v.ms);
  DrawImageFrame({words.data(), v.width, v.height, v.width});

  int off = 0, worst = 0;
  size_t first = 0;
  for (size_t i = 0; i < words.size(); ++i) {
    const int channels[3] = {static_cast<int>(words[i] >> 16 & 255),
                             static_cast<int>(words[i] >> 8 & 255),
                             static_cast<int>(words[i] & 255)};
    int most = words[i] >> 24 == 255 ? 0 : 256;  // every pixel opaque
    for (int k = 0; k < 3; ++k) most = std::max(most, std::abs(channels[k] - gl[3 * i + k]));
    if (most > 1 && off++ == 0) first = i;
    worst = std::max(worst, most);
  }
  EXPECT_EQ(off, 0) << "pixels more than one level from GL's, the worst " << worst
                    << " apart, the first at x " << first % v.width << " y " << first / v.width;
}

TEST(ImageFrame, EqualsGlsFrameWithinOneLevel) {
  const View views[] = {
      {640, 480, 6, 0, 0, true, 1500},  {641, 479, 7, 0, 3, false, 4000},
      {320, 240, 1, 0, 7, true, 3500},  {300, 200, 20, 0, 5, false, 900},
      {256, 170, 2, 0, 1, true, 2000},  {640, 480, 6, 2, 2, true, 1200},
      {333, 251, 5, 6, 4, false, 5000}, {160, 120, 3, 1, 6, true, 100},
  };
  for (const View& v : views) ExpectGlsPicture(v);
}

}  // namespace
