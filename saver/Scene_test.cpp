// The screen savers' options against the keys: each leaves the values and the
// picture that its keys leave, and a picture unlike the program's own start.
#include "saver/Scene.h"

#include <gtest/gtest.h>

#include "shared/Settings.h"
#include "tests/support/GlTest.h"

namespace {

// What a user of the keys would see once their messages have gone.
std::vector<uint8_t> Seen() {
  DisplayAt(3500);
  const std::vector<uint8_t> pixels = Pixels();
  std::vector<uint8_t> seen(pixels.begin(), pixels.end());
  for (const int32_t value :
       {settings.colorOption, rippleCount, rippleSelector, settings.tesselation, settings.letterbox,
        letterboxSelector, settings.spotlights, settings.fpsClock}) {
    seen.push_back(static_cast<uint8_t>(value));
  }
  return seen;
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
