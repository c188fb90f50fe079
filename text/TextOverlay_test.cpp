// DrawText on the offscreen window: where the cells land, what they sample,
// and the GL state the call leaves behind.
#include "text/TextOverlay.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "app/FrameDriver.h"
#include "app/Settings.h"
#include "app/Shell.h"
#include "image/Image.h"
#include "tests/support/GlTest.h"

namespace {

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

void PrintTo(const Rgb& c, std::ostream* out) {
  *out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// Each character code's own opaque colour, so a pixel tells which cell it shows.
Rgb CodeColor(int code) { return {code, 255 - code, (code * 37) & 255}; }

// A 512x512 24-bit atlas in which every cell is filled with its code's colour.
void UseOpaqueAtlas() {
  Image atlas;
  ASSERT_TRUE(atlas.create(512, 512, 24));
  for (int row = 0; row < 512; ++row) {
    for (int column = 0; column < 512; ++column) {
      // Image row 0 is t = 0: the cell row r spans t from 0.875 - 0.125 r upward.
      const int cellRow = 7 - row / 64;
      const int code = 32 + cellRow * 16 + column / 32;
      const Rgb color = CodeColor(code);
      uint8_t* p = atlas.pixels() + static_cast<size_t>(row * 512 + column) * 3;
      p[0] = static_cast<uint8_t>(color.r);
      p[1] = static_cast<uint8_t>(color.g);
      p[2] = static_cast<uint8_t>(color.b);
    }
  }
  ASSERT_TRUE(overlay.font.createFromImage(atlas, nullptr));
}

void BlackWindow(int width, int height) {
  TestWindow().Resize(width, height);
  ReshapeHandler(width, height);
  ApplyView();
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
}

Rgb Pixel(int x, int row) {
  const std::vector<uint8_t> rgb = TestWindow().ReadRgb();
  const uint8_t* p = &rgb[(static_cast<size_t>(row) * TestWindow().WindowWidth() + x) * 3];
  return {p[0], p[1], p[2]};
}

TEST(DrawText, ResetCellsStartNinePixelsApart) {
  BlackWindow(200, 60);
  UseOpaqueAtlas();
  overlay.DrawText("Reset", 10, 20, 20.0f);
  const std::vector<uint8_t> rgb = TestWindow().ReadRgb();
  auto at = [&](int x, int row) {
    const uint8_t* p = &rgb[(static_cast<size_t>(row) * 200 + x) * 3];
    return Rgb{p[0], p[1], p[2]};
  };
  const char* text = "Reset";
  for (int i = 0; i < 5; ++i) {
    const int cellLeft = 10 + 9 * i;
    EXPECT_EQ(at(cellLeft + 1, 9), CodeColor(text[i])) << i;
    EXPECT_EQ(at(cellLeft + 8, 9), CodeColor(text[i])) << i;
    if (i > 0) {
      EXPECT_EQ(at(cellLeft - 1, 9), CodeColor(text[i - 1])) << i;
    }
  }
  // 4 x 9 + 10 = 46 pixels: from x = 10 up to 55, rows 0..19 from the top.
  EXPECT_EQ(at(54, 9), CodeColor('t'));
  EXPECT_NE(at(55, 9), (Rgb{0, 0, 0}));  // the last column, blended with the next cell
  EXPECT_EQ(at(56, 9), (Rgb{0, 0, 0}));
  EXPECT_EQ(at(9, 9), (Rgb{0, 0, 0}));
  EXPECT_EQ(at(20, 1), CodeColor('e'));
  EXPECT_EQ(at(20, 20), (Rgb{0, 0, 0}));
  EXPECT_STREQ(overlay.lastText, "Reset");
  EXPECT_EQ(overlay.lastX, 10);
  EXPECT_EQ(overlay.lastY, 20);
}

TEST(DrawText, CodesOutsideTheAtlasShowTheCell128Away) {
  BlackWindow(100, 40);
  UseOpaqueAtlas();
  const char text[] = {static_cast<char>(193), static_cast<char>(5), ' ', '\0'};
  overlay.DrawText(text, 0, 30, 20.0f);
  EXPECT_EQ(Pixel(4, 18), CodeColor(65));    // 193 wraps round to 'A'
  EXPECT_EQ(Pixel(13, 18), CodeColor(133));  // 5 shows the cell of code 133
}

TEST(DrawText, LeavesTheStateItFoundAndTheFontBound) {
  BlackWindow(320, 240);
  UseOpaqueAtlas();
  settings.letterbox = 3;
  settings.polyMode = 1;
  ApplyView();
  glTranslatef(5, 6, 0);
  std::array<GLint, 4> viewportBefore{};
  glGetIntegerv(GL_VIEWPORT, viewportBefore.data());
  glColor3f(0.1f, 0.2f, 0.3f);

  overlay.DrawText("Text", 10, 20, 20.0f);

  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  GLboolean depthMask = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
  EXPECT_TRUE(depthMask);
  std::array<GLint, 4> viewport{};
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  EXPECT_EQ(viewport, viewportBefore);
  GLint modes[2] = {};
  glGetIntegerv(GL_POLYGON_MODE, modes);
  EXPECT_EQ(modes[0], GL_LINE);
  GLint matrixMode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
  EXPECT_EQ(matrixMode, GL_MODELVIEW);
  GLfloat modelview[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  EXPECT_EQ(modelview[12], 5.0f);
  EXPECT_EQ(modelview[13], 6.0f);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<uint32_t>(bound), overlay.font.id - 1);
  GLfloat color[4];
  glGetFloatv(GL_CURRENT_COLOR, color);
  EXPECT_EQ(color[0], 1.0f);
  // Filled cells, not outlines, although the picture is drawn as lines.
  EXPECT_EQ(Pixel(14, 10), CodeColor('T'));
}

TEST(DrawText, PlacesTextAgainstTheWholeWindowWhileLetterboxed) {
  BlackWindow(320, 240);
  UseOpaqueAtlas();
  settings.letterbox = 6;  // the band is rows 72..167 from the top
  ApplyView();
  overlay.DrawText("Hi", 10, 20, 20.0f);
  overlay.DrawText("Lo", 10, 240, 20.0f);
  EXPECT_EQ(Pixel(12, 10), CodeColor('H'));
  EXPECT_EQ(Pixel(12, 230), CodeColor('L'));
}

TEST(DrawText, WithoutAFontCellsAreWhiteBlocksAndSpacesAreSkipped) {
  BlackWindow(100, 40);
  overlay.DrawText("a b", 0, 20, 20.0f);
  const Rgb white{255, 255, 255}, black{0, 0, 0};
  EXPECT_EQ(Pixel(5, 10), white);
  EXPECT_EQ(Pixel(12, 10), black);  // the space draws nothing...
  EXPECT_EQ(Pixel(22, 10), white);  // ...and still advances the pen
  EXPECT_EQ(Pixel(27, 10), white);
  EXPECT_EQ(Pixel(28, 10), black);
  EXPECT_EQ(Pixel(27, 20), black);
}

TEST(DrawText, RemembersAtMost79Characters) {
  BlackWindow(100, 40);
  const std::string longText(200, 'x');
  overlay.DrawText(longText.c_str(), 0, 20, 20.0f);
  EXPECT_EQ(std::string(overlay.lastText), longText.substr(0, 79));
  overlay.DrawText("", 3, 4, 20.0f);
  EXPECT_STREQ(overlay.lastText, "");
  EXPECT_EQ(overlay.lastX, 3);
  overlay.recordFlag = 0;
  overlay.DrawText("not kept", 7, 8, 20.0f);
  EXPECT_STREQ(overlay.lastText, "");
  EXPECT_EQ(overlay.lastX, 3);
}

}  // namespace
