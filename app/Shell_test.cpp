// Start-up and the shell's own callbacks, as main runs them.
#include "app/Shell.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/GlTest.h"

namespace {

// Its full screen and its hint are the key table's (Controls_test.txt) and golden frames'.
TEST(Shell, StartUpHidesThePointerAndSetsTheLight) {
  StartProgram();
  EXPECT_TRUE(TestWindow().cursorHidden);
  // State that only a shaded polygon would show, or too faintly a spot light's fall-off
  // (its cone's edge is a golden frame's, spotlights-under-help).
  GLfloat state[7] = {};
  glGetLightfv(GL_LIGHT0, GL_SPOT_EXPONENT, &state[0]);
  glGetFloatv(GL_SHADE_MODEL, &state[1]);
  glGetFloatv(GL_LIGHT_MODEL_LOCAL_VIEWER, &state[2]);
  glGetMaterialfv(GL_BACK, GL_SHININESS, &state[3]);
  state[4] = glIsEnabled(GL_COLOR_MATERIAL);
  glGetFloatv(GL_COLOR_MATERIAL_FACE, &state[5]);
  glGetFloatv(GL_COLOR_MATERIAL_PARAMETER, &state[6]);
  EXPECT_EQ(
      std::vector<GLfloat>(state, state + 7),
      (std::vector<GLfloat>{30, GL_SMOOTH, 1, 30, 1, GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE}));
}

TEST(Shell, DefaultKeysToggleFullScreenAndEscapeEndsAtTheNextFrame) {
  StartProgram();  // full screen, as Init leaves it
  DefaultKeyHandler('f', 0, 0);
  DefaultKeyHandler('x', 0, 0);
  EXPECT_EQ(TestWindow().reshapeRequests, 1);
  DefaultKeyHandler('F', 0, 0);
  EXPECT_EQ(TestWindow().fullScreenRequests, 2);
  EXPECT_EQ(TestWindow().requestedWidth, 640);
  EXPECT_EQ(TestWindow().requestedHeight, 480);
  EXPECT_TRUE(DisplayAt(16));
  DefaultKeyHandler(27, 0, 0);
  EXPECT_FALSE(DisplayAt(32));
  EXPECT_EQ(TestWindow().swaps, 1);
}

}  // namespace
