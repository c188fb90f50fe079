// DrawText: where the cells lie, what it remembers and the GL state it leaves;
// and the status messages, formatted into 80 bytes and never read as formats.
// The glyphs themselves are golden frames (tests/golden).
#include "text/TextOverlay.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "painters/gl/GlPainter.h"
#include "picture/Picture.h"
#include "state/Settings.h"
#include "tests/support/GlTest.h"

namespace {

// Without an atlas every cell but a space's is a white block: where the cells lie,
// placed against the whole window while letterboxed, filled while drawn as lines.
TEST(DrawText, CellsAndTheStateLeftForTheFrame) {
  for (const auto& c : {std::pair{20, 9}, std::pair{18, 8}, std::pair{30, 13}}) {  // height, step
    StartProgram(100, 60);
    TestPainter().Stop();    // the atlas given back
    settings.letterbox = 6;  // the band is rows 18..41 from the top
    settings.polyMode = 1;
    ApplyView(ComposeView());
    glClear(GL_COLOR_BUFFER_BIT);
    glTranslatef(5, 6, 0);
    glColor3f(0.1f, 0.2f, 0.3f);
    overlay.DrawText("a bc", 3, 35, static_cast<float>(c.first));
    const std::vector<uint8_t> rgb = Pixels();
    const auto red = [&](int x, int row) { return rgb[(size_t{100} * row + x) * 3]; };
    const int top = 35 - c.first, width = c.first / 2;
    for (int x = 0; x < 100; ++x) {
      bool lit = false;  // cells overlap their neighbours by a pixel or two
      for (const int k : {0, 2, 3}) lit |= x >= 3 + c.second * k && x < 3 + c.second * k + width;
      EXPECT_EQ(red(x, 34) == 255, lit) << c.first << " at " << x;
      EXPECT_EQ(red(x, top), red(x, 34));
      EXPECT_EQ(red(x, top - 1), 0) << c.first;
    }
  }
  std::array<GLint, 9> state{};
  glGetIntegerv(GL_VIEWPORT, state.data());
  glGetIntegerv(GL_POLYGON_MODE, &state[4]);
  glGetIntegerv(GL_MATRIX_MODE, &state[6]);
  glGetIntegerv(GL_DEPTH_WRITEMASK, &state[7]);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &state[8]);
  EXPECT_EQ(state, (std::array<GLint, 9>{0, 18, 100, 24, GL_LINE, GL_LINE, GL_MODELVIEW, 1, -1}));
  EXPECT_FALSE(glIsEnabled(GL_BLEND) || glIsEnabled(GL_TEXTURE_2D));
  GLfloat m[16], colour[4];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  glGetFloatv(GL_CURRENT_COLOR, colour);  // the translation stays, the colour is white
  EXPECT_EQ((std::vector<GLfloat>{m[12], m[13], colour[0], colour[1], colour[2]}),
            (std::vector<GLfloat>{5, 6, 1, 1, 1}));
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  EXPECT_FLOAT_EQ(m[5], 2.0f / 60);  // the window-sized projection stays
}

// DrawText remembers at most 79 characters, and only while recording; messages are
// formatted into 80 bytes and text is never read as a format.
TEST(Messages, AreBoundedAndRememberedWhileRecording) {
  StartProgram(100, 40);
  const struct {
    void (*show)();
    std::string remembered;
  } cases[] = {
      {[] { overlay.DrawText(std::string(200, 'x').c_str(), 0, 20, 20.0f); }, std::string(79, 'x')},
      {[] { overlay.ShowMessage("100% sure %d %s %n"); }, "100% sure %d %s %n"},
      {[] { overlay.ShowMessage("%090d", int32_t{7}); }, std::string(79, '0')},
      {[] { overlay.ShowMessage(std::string(120, 'z').c_str()); }, std::string(79, 'z')},
      {[] { overlay.ShowMessage("%4.2f", double{3.4e38f}); },
       "339999995214436424907732413799364296704.00"},
      {[] { overlay.DrawText("", 3, 4, 20.0f); }, ""},
      {[] { overlay.DrawFrameRate(60); }, ""},
      {[] { overlay.recordFlag = 0, overlay.DrawText("not kept", 7, 8, 20.0f); }, ""},
  };
  for (const auto& c : cases) {
    c.show();
    EXPECT_EQ(overlay.lastText, c.remembered);
  }
  EXPECT_EQ(std::pair(overlay.lastX, overlay.lastY), std::pair(3, 4));
}

}  // namespace
