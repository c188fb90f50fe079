// Start-up and the shell's own callbacks, as main runs them.
#include "app/Shell.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "app/Clock.h"
#include "app/FrameDriver.h"
#include "tests/support/GlTest.h"
#include "text/TextOverlay.h"

namespace {

TEST(Shell, StartUpGoesFullScreenHidesThePointerAndShowsTheHint) {
  StartProgram();
  EXPECT_EQ(TestWindow().fullScreenRequests, 1);
  EXPECT_TRUE(TestWindow().cursorHidden);
  EXPECT_STREQ(overlay.lastText, "Press ? key for Help Screen");
  EXPECT_EQ(overlay.expiry, 3.0);
  DisplayAt(1500);
  EXPECT_EQ(elapsedMs, 1500u);
  EXPECT_EQ(TestWindow().swaps, 1);
}

TEST(Shell, DefaultKeysToggleFullScreenAndEscapeEndsAtOnce) {
  StartProgram();
  DefaultKeyHandler('f', 0, 0);
  DefaultKeyHandler('x', 0, 0);
  EXPECT_EQ(TestWindow().fullScreenRequests, 2);
  DefaultKeyHandler('F', 0, 0);
  EXPECT_EQ(TestWindow().reshapeRequests, 1);
  EXPECT_EQ(TestWindow().requestedWidth * 1000 + TestWindow().requestedHeight, 640480);
  EXPECT_EXIT(DefaultKeyHandler(27, 0, 0), testing::ExitedWithCode(0), "");
}

}  // namespace
