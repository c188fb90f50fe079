// DrawText: where the cells lie, what it remembers and the GL state it leaves;
// and the status messages, formatted into 80 bytes and never read as formats.
#include "text/TextOverlay.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/FrameDriver.h"
#include "app/Settings.h"
#include "tests/support/GlTest.h"

namespace {

std::array<uint8_t, 3> Pixel(int x, int row) {
  const std::vector<uint8_t> rgb = Pixels();
  const uint8_t* p = &rgb[(static_cast<size_t>(row) * TestWindow().WindowWidth() + x) * 3];
  return {p[0], p[1], p[2]};
}

// Without an atlas every cell but a space's is a white block: where the cells lie.
TEST(DrawText, CellsAreHalfAsWideAsTallAndStepByTheTruncatedAdvance) {
  const struct {
    float height;
    int step;
  } cases[] = {{20, 9}, {18, 8}, {30, 13}};
  for (const auto& c : cases) {
    StartProgram(100, 40);
    overlay.font.release();
    glClear(GL_COLOR_BUFFER_BIT);
    overlay.DrawText("a bc", 3, 35, c.height);
    for (int x = 0; x < 100; ++x) {
      const bool inCell = std::ranges::any_of(std::array{0, 2, 3}, [&](int cell) {
        return x >= 3 + c.step * cell && x < 3 + c.step * cell + static_cast<int>(c.height / 2);
      });
      EXPECT_EQ(Pixel(x, 34)[0] == 255, inCell) << c.height << " at " << x;
      EXPECT_EQ(Pixel(x, 35 - static_cast<int>(c.height)), inCell ? Pixel(x, 34) : Pixel(x, 36))
          << c.height << " at " << x;
    }
    EXPECT_EQ(Pixel(4, 34 - static_cast<int>(c.height))[0], 0);
  }
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
  overlay.font.release();
  settings.letterbox = 6;  // the band is rows 72..167 from the top
  settings.polyMode = 1;
  ApplyView();
  glClear(GL_COLOR_BUFFER_BIT);
  glTranslatef(5, 6, 0);
  glColor3f(0.1f, 0.2f, 0.3f);
  overlay.DrawText("T", 10, 20, 20.0f);
  EXPECT_EQ(Pixel(14, 10)[1], 255);  // filled, though the picture is drawn as lines
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

TEST(Messages, FormatsAreBoundedAndTextIsNeverAFormat) {
  StartProgram(100, 40);
  const struct {
    void (*show)();
    std::string remembered;
  } cases[] = {
      {[] { overlay.ShowMessage("100% sure %d %s %n"); }, "100% sure %d %s %n"},
      {[] { overlay.ShowMessage("%090d", int32_t{7}); }, std::string(79, '0')},
      {[] { overlay.ShowMessage(std::string(120, 'z').c_str()); }, std::string(79, 'z')},
      {[] { overlay.ShowMessage("%4.2f", double{3.4e38f}); },
       "339999995214436424907732413799364296704.00"},
      {[] { overlay.DrawFrameRate(60); }, "339999995214436424907732413799364296704.00"},
  };
  for (const auto& c : cases) {
    c.show();
    EXPECT_EQ(overlay.lastText, c.remembered);
    EXPECT_EQ(overlay.recordFlag, 1);
  }
}

}  // namespace
