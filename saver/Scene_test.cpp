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
  const struct {
    void (*set)(SceneOptions& options);
    const char* keys;
  } rows[] = {
      {[](SceneOptions& o) { o.scheme = 5; }, "ooooo"},
      {[](SceneOptions& o) { o.ripples = 8; }, "nnnn"},
      {[](SceneOptions& o) { o.tesselation = 3; }, "<lt><lt><lt>"},
      {[](SceneOptions& o) { o.speed = static_cast<float>(1.111111); }, "<right>"},
      {[](SceneOptions& o) { o.frequency = static_cast<float>(0.9); }, "<down>"},
      {[](SceneOptions& o) { o.letterbox = 2; }, "ll"},
      {[](SceneOptions& o) { o.spotlight = true; }, "s"},
      {[](SceneOptions& o) { o.fps = true; }, "c"},
  };
  StartProgram(160, 120);
  const std::vector<uint8_t> plain = Seen();
  for (const auto& row : rows) {
    SceneOptions options;
    options.seed = 0;  // the program's own start
    row.set(options);
    StartProgram(160, 120);
    StartScene(options);
    const std::vector<uint8_t> scene = Seen();
    StartProgram(160, 120);
    Type(row.keys);
    EXPECT_EQ(scene, Seen()) << row.keys;
    EXPECT_NE(scene, plain) << row.keys;
  }
}

}  // namespace
