// Start-up and the shell's own callbacks, as main runs them.
#include "app/Shell.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "app/Clock.h"
#include "app/FrameDriver.h"
#include "sim/Oscillators.h"
#include "sim/Random.h"
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

TEST(Shell, EveryRunStartsFromTheSameBank) {
  StartProgram();
  // PreInit and ResetSettings seed with elapsedMs, still 0: the first draw from seed 0 is 38.
  EXPECT_DOUBLE_EQ(oscillatorBank.phase[1], 38 / 32768.0 * 3.141592654);
  const OscillatorBank first = oscillatorBank;
  StartProgram();
  for (int i = 0; i < 60; ++i) EXPECT_EQ(oscillatorBank.phase[i], first.phase[i]);
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
