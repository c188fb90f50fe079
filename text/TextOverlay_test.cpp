// DrawText: which cell each character shows and where, what it remembers, and
// the GL state it leaves behind.
#include "text/TextOverlay.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "app/FrameDriver.h"
#include "app/Settings.h"
#include "tests/support/GlTest.h"

namespace {

// Each code's own colour, so that a pixel tells which cell it shows.
std::array<uint8_t, 3> CodeColor(int code) {
  return {static_cast<uint8_t>(code), static_cast<uint8_t>(255 - code),
          static_cast<uint8_t>(code * 37)};
}

// A 32x16 atlas, 2x2 texels a cell, each in its code's colour; row 0 is t = 0.
void UseCodeAtlas() {
  Image atlas;
  ASSERT_TRUE(atlas.create(32, 16, 24));
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 32; ++x) {
      const auto color = CodeColor(32 + (7 - y / 2) * 16 + x / 2);
      std::copy(color.begin(), color.end(), atlas.pixels() + (y * 32 + x) * 3);
    }
  }
  ASSERT_TRUE(overlay.font.createFromImage(atlas, nullptr));
}

std::array<uint8_t, 3> Pixel(int x, int row) {
  const std::vector<uint8_t> rgb = Pixels();
  const uint8_t* p = &rgb[(static_cast<size_t>(row) * TestWindow().WindowWidth() + x) * 3];
  return {p[0], p[1], p[2]};
}

TEST(DrawText, CellsStepByTheTruncatedAdvanceAndCodesPast159WrapRound) {
  StartProgram(200, 60);
  UseCodeAtlas();
  glClear(GL_COLOR_BUFFER_BIT);
  const char text[] = {'R', 'e', 's', ' ', 't', static_cast<char>(193), 5, '\0'};
  overlay.DrawText(text, 10, 30, 20.0f);                  // cells 10 wide, 9 apart, rows 10..29
  const int shown[] = {'R', 'e', 's', 0, 't', 'A', 133};  // 193 shows 'A', 5 shows 133
  for (int i = 0; i < 7; ++i) {
    const auto want = shown[i] == 0 ? std::array<uint8_t, 3>{} : CodeColor(shown[i]);
    EXPECT_EQ(Pixel(10 + 9 * i + 5, 20), want) << i;
  }
  EXPECT_EQ(Pixel(9, 20), (std::array<uint8_t, 3>{}));
  EXPECT_EQ(Pixel(10 + 9 * 6 + 10, 20), (std::array<uint8_t, 3>{}));
  EXPECT_EQ(Pixel(15, 9), (std::array<uint8_t, 3>{}));
  EXPECT_EQ(Pixel(15, 30), (std::array<uint8_t, 3>{}));
}

TEST(DrawText, RemembersAtMost79CharactersWhileRecording) {
  StartProgram(100, 40);
  overlay.DrawText(std::string(200, 'x').c_str(), 0, 20, 20.0f);
  EXPECT_EQ(std::string(overlay.lastText), std::string(79, 'x'));
  overlay.DrawText("", 3, 4, 20.0f);
  EXPECT_STREQ(overlay.lastText, "");
  EXPECT_EQ(overlay.lastX * 10 + overlay.lastY, 34);
  overlay.recordFlag = 0;
  overlay.DrawText("not kept", 7, 8, 20.0f);
  EXPECT_STREQ(overlay.lastText, "");
  EXPECT_EQ(overlay.lastX * 10 + overlay.lastY, 34);
}

TEST(DrawText, FillsCellsOverTheWholeWindowAndLeavesWhatTheFrameExpects) {
  StartProgram(320, 240);
  overlay.font.release();  // no atlas: every cell but a space is a white block
  settings.letterbox = 6;  // the band is rows 72..167 from the top
  settings.polyMode = 1;
  ApplyView();
  glClear(GL_COLOR_BUFFER_BIT);
  glTranslatef(5, 6, 0);
  glColor3f(0.1f, 0.2f, 0.3f);
  overlay.DrawText("T T", 10, 20, 20.0f);
  const std::array<uint8_t, 3> white{255, 255, 255}, black{};
  EXPECT_EQ(Pixel(14, 10), white);  // filled, though the picture is drawn as lines
  EXPECT_EQ(Pixel(23, 10), black);
  EXPECT_EQ(Pixel(32, 10), white);
  std::array<GLint, 4> viewport{};
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 72, 320, 96}));
  GLint state[5] = {};
  glGetIntegerv(GL_POLYGON_MODE, &state[0]);
  glGetIntegerv(GL_MATRIX_MODE, &state[2]);
  glGetIntegerv(GL_DEPTH_WRITEMASK, &state[3]);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &state[4]);
  EXPECT_EQ(std::vector<GLint>(state, state + 5),
            (std::vector<GLint>{GL_LINE, GL_LINE, GL_MODELVIEW, GL_TRUE, -1}));
  EXPECT_FALSE(glIsEnabled(GL_BLEND) || glIsEnabled(GL_TEXTURE_2D));
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_EQ(m[12] * 10 + m[13], 56.0f);
  glGetFloatv(GL_CURRENT_COLOR, m);
  EXPECT_EQ(m[0] + m[1] + m[2], 3.0f);
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  EXPECT_FLOAT_EQ(m[5], 2.0f / 240);  // the window-sized projection stays
}

}  // namespace
