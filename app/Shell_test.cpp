// Start-up and the shell's own callbacks, as main runs them.
#include "app/Shell.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/GlTest.h"
#include "text/TextOverlay.h"

namespace {

TEST(Shell, StartUpGoesFullScreenHidesThePointerShowsTheHintAndSetsTheLight) {
  StartProgram();
  EXPECT_EQ(TestWindow().fullScreenRequests, 1);
  EXPECT_TRUE(TestWindow().cursorHidden);
  EXPECT_STREQ(overlay.lastText, "Press ? key for Help Screen");
  EXPECT_EQ(overlay.expiry, 3.0);
  // State that only a spot light's edge or a shaded polygon would show.
  GLfloat state[3] = {};
  glGetLightfv(GL_LIGHT0, GL_SPOT_CUTOFF, &state[0]);
  glGetLightfv(GL_LIGHT0, GL_SPOT_EXPONENT, &state[1]);
  glGetFloatv(GL_SHADE_MODEL, &state[2]);
  EXPECT_EQ(std::vector<GLfloat>(state, state + 3), (std::vector<GLfloat>{30, 30, GL_SMOOTH}));
}

TEST(Shell, DefaultKeysToggleFullScreenAndEscapeEndsAtOnce) {
  StartProgram();
  DefaultKeyHandler('f', 0, 0);
  DefaultKeyHandler('x', 0, 0);
  EXPECT_EQ(TestWindow().fullScreenRequests, 2);
  DefaultKeyHandler('F', 0, 0);
  EXPECT_EQ(TestWindow().reshapeRequests, 1);
  EXPECT_EQ(TestWindow().requestedWidth, 640);
  EXPECT_EQ(TestWindow().requestedHeight, 480);
  EXPECT_EXIT(DefaultKeyHandler(27, 0, 0), testing::ExitedWithCode(0), "");
}

}  // namespace
