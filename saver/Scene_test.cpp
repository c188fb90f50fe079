// The screen savers' options against the keys: each leaves the picture that its
// keys leave, and a picture unlike the program's own start.
#include "saver/Scene.h"

#include <gtest/gtest.h>

#include "tests/support/GlTest.h"

namespace {

// What a user of the keys would see once their messages have gone.
std::vector<uint8_t> Seen() {
  DisplayAt(3500);
  return Pixels();
}

TEST(Scene, EachOptionDoesWhatItsKeysDo) {
  // Each option with its value ("": a flag), then its keys.
  const char* const rows[][3] = {{"scheme", "5", "ooooo"},       {"ripples", "8", "nnnn"},
                                 {"tesselation", "5", "<lt>"},   {"speed", "1.111111", "<right>"},
                                 {"frequency", "0.9", "<down>"}, {"letterbox", "2", "ll"},
                                 {"spotlight", "", "s"},         {"fps", "", "c"}};
  StartProgram(160, 120);
  const std::vector<uint8_t> plain = Seen();
  for (const auto& row : rows) {
    SceneOptions options;
    options.seed = 0;  // the program's own start
    ASSERT_TRUE(TakeSceneOption(row[0], *row[1] != 0 ? row[1] : nullptr, &options, nullptr));
    StartProgram(160, 120);
    StartScene(options);
    const std::vector<uint8_t> scene = Seen();
    StartProgram(160, 120);
    Type(row[2]);
    EXPECT_EQ(scene, Seen()) << row[2];
    EXPECT_NE(scene, plain) << row[2];
  }
}

}  // namespace
