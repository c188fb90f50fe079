// The picture made on the processor against GL's, the reference: the same runs of
// frames and keys both ways, every pixel within two levels and all but one in
// 10,000 within one (the text's filtering rounds its own way at the odd steep
// edge of a glyph). Among them the
// message, the frame-rate line and the help page (text at 20, 18 and 30 pixels),
// the letterbox bars, the spot light, the space key's frames drawn over the ones
// before, and text without an atlas.
#include "painters/image/ImagePainter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "image/Image.h"
#include "saver/Scene.h"
#include "tests/support/GlTest.h"

namespace {

struct Canvas : ImageTarget {
  Canvas(int w, int h) : width(w), height(h), words(static_cast<size_t>(w) * h, 0x12345678) {}
  PixelImage Picture() override { return {words.data(), width, height, width}; }
  int width, height;
  std::vector<uint32_t> words;
};

struct Case {
  int width, height;
  bool atlas;  // false: text without one, as white blocks
  SceneOptions scene;
  std::vector<std::pair<int64_t, const char*>> frames;  // keys typed, then the frame at ms
};

// The run's last frame, RGBA for the image (its alpha kept) and RGB for GL.
std::vector<uint32_t> Draw(const Case& run, bool image) {
  Canvas canvas(run.width, run.height);
  ImagePainter painter(canvas);
  StartProgram(run.width, run.height, image ? &painter : nullptr);
  if (!run.atlas) {
    const Image none;
    image ? painter.LoadAtlas(none) : TestPainter().LoadAtlas(none);
  }
  StartScene(run.scene);
  for (const auto& [ms, keys] : run.frames) {
    Type(keys);
    DisplayAt(ms);
  }
  if (image) return canvas.words;
  const std::vector<uint8_t> rgb = Pixels();
  std::vector<uint32_t> words(rgb.size() / 3);
  for (size_t i = 0; i < words.size(); ++i) {
    words[i] =
        0xff000000u | uint32_t{rgb[3 * i]} << 16 | uint32_t{rgb[3 * i + 1]} << 8 | rgb[3 * i + 2];
  }
  return words;
}

void ExpectGlsPicture(const Case& run) {
  SCOPED_TRACE(testing::Message() << run.width << "x" << run.height << ", last frame at "
                                  << run.frames.back().first << " ms");
  const std::vector<uint32_t> gl = Draw(run, false), image = Draw(run, true);
  int off = 0, worst = 0;
  size_t first = 0;
  for (size_t i = 0; i < gl.size(); ++i) {
    int most = image[i] >> 24 == 255 ? 0 : 256;  // every pixel opaque
    for (int shift : {16, 8, 0}) {
      most = std::max(
          most, std::abs(static_cast<int>((image[i] >> shift & 255) - (gl[i] >> shift & 255))));
    }
    if (most > 1 && off++ == 0) first = i;
    worst = std::max(worst, most);
  }
  EXPECT_TRUE(worst <= 2 && off * 10000 <= static_cast<int>(gl.size()))
      << off << " pixels more than one level from GL's, the worst " << worst
      << " apart, the first at x " << first % run.width << " y " << first / run.width;
}

SceneOptions Scene(int tesselation, int letterbox, int scheme, bool fps, bool light = false) {
  SceneOptions options;
  options.seed = 11;
  options.tesselation = tesselation;
  options.letterbox = letterbox;
  options.scheme = scheme;
  options.fps = fps;
  options.spotlight = light;
  return options;
}

TEST(ImagePainter, DrawsGlsPicture) {
  // Frames at ms: before 3000 the start's message is still shown. The light circles the
  // bottom left corner: small windows show its cone. The space key's frames keep what
  // the bars held: the message past its time, the help page put away.
  const std::vector<std::pair<int64_t, const char*>> overdrawn = {
      {100, ""},   {1000, " "}, {3500, ""},   {4000, "?"},
      {4500, "?"}, {5000, "l"}, {5200, "?c"}, {5400, "?"}};
  const Case runs[] = {
      {640, 480, true, Scene(6, 0, 0, true), {{1500, ""}}},
      {641, 479, true, Scene(7, 0, 3, false), {{4000, ""}}},
      {320, 240, true, Scene(1, 0, 7, true), {{3500, ""}}},
      {300, 200, true, Scene(20, 0, 5, false), {{900, ""}}},
      {256, 170, true, Scene(2, 0, 1, true), {{2000, ""}}},
      {640, 480, true, Scene(6, 2, 2, true), {{1200, ""}}},
      {333, 251, true, Scene(5, 6, 4, false), {{5000, ""}}},
      {160, 120, true, Scene(3, 1, 6, true), {{100, ""}}},
      {64, 48, true, Scene(1, 0, 5, false, true), {{40, ""}, {900, ""}}},
      {96, 80, true, Scene(3, 3, 4, true, true), {{40, ""}, {700, "p"}, {900, "<lt>"}}},
      {200, 150, true, Scene(2, 0, 7, false, true), {{1234, ""}}},
      {320, 240, true, Scene(4, 2, 1, false), overdrawn},
      {640, 560, false, Scene(6, 1, 3, true), {{500, "?"}}},
      {640, 560, true, Scene(5, 0, 0, true), {{700, "?"}}},  // the help page
  };
  for (const Case& run : runs) ExpectGlsPicture(run);
}

}  // namespace
