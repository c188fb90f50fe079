// The per-frame sequence: time values, the frame-rate latch, the fade-out's
// end and the view every frame sets. Pause, the fade's dimming, lighting only
// for the field and the frame-rate line's values are golden frames (tests/golden).
#include "app/FrameDriver.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>

#include "painters/gl/GlPainter.h"
#include "state/Frame.h"
#include "state/Settings.h"
#include "tests/support/GlTest.h"

namespace {

TEST(FrameDriver, StepsAreClampedOnlyBeyondATenthOfASecond) {
  StartProgram();
  // The first frame counts from the clock's start; 100 ms is a frame, 101 a stall (0.05 s);
  // a step back is kept as it is.
  const struct {
    int64_t ms;
    float delta;
  } frames[] = {
      {250, 0.05f}, {300, static_cast<float>(0.3 - 0.25f)}, {400, 0.1f},
      {501, 0.05f}, {600, static_cast<float>(0.099)},       {499, static_cast<float>(-0.101)}};
  for (const auto& frame : frames) {
    DisplayAt(frame.ms);
    EXPECT_EQ(frameDelta, frame.delta) << frame.ms;
    EXPECT_EQ(nowSeconds, static_cast<float>(frame.ms * 0.001)) << frame.ms;
  }
}

TEST(FrameDriver, FrameRateLatchesOncePerSecondAndCatchesUpAfterAStall) {
  StartProgram();
  int64_t ms = 0;
  for (; ms < 1000; ms += 10) {
    DisplayAt(ms);
    ASSERT_EQ(fpsValue, 30) << "nothing is latched before the first second";
  }
  DisplayAt(ms);  // the 101st frame closes the first second
  EXPECT_EQ(fpsValue, 101);
  DisplayAt(6000);  // a stall: one latch a frame until the latch has caught up
  EXPECT_EQ(fpsValue, 1);
  for (int i = 0; i < 4; ++i) DisplayAt(6010 + 10 * i);
  EXPECT_EQ(nextFpsTime, 7.0);
  DisplayAt(6100);
  EXPECT_EQ(frameCounter, 1);
}

TEST(FrameDriver, EscapeEndsTheProgramAfterAbout2Point7SecondsWithoutShowingTheLastFrame) {
  // (0.999 - 0.05) / 0.35 = 2.71 s of frame time after the key, here across the clock's wrap.
  const int64_t start = (int64_t{1} << 32) - 1000;
  StartProgram();
  DisplayAt(start);
  Type("<esc>");
  int64_t ms = start + 16;
  while (ms < start + 9000 && DisplayAt(ms)) ms += 16;
  EXPECT_EQ(ms - start, 2720);
  EXPECT_EQ(TestWindow().swaps, 2720 / 16) << "the frame that ends the program is not shown";
}

TEST(FrameDriver, TheViewSqueezesThePictureIntoTheLetterboxAndKeepsOddPolygonModes) {
  // Height, letterbox, then the viewport's bottom and height; polygon mode, then GL's: one
  // outside 0..2 leaves the one before, lines, in force. 99.9 and 233.1 truncate.
  const GLint cases[][6] = {{480, 0, 0, 480, 1, GL_LINE},
                            {480, 1, 24, 432, 2, GL_POINT},
                            {480, 3, 72, 336, 7, GL_LINE},
                            {480, 6, 144, 192, 0, GL_FILL},
                            {333, 6, 99, 134, -1, GL_LINE}};
  for (const auto& c : cases) {
    StartProgram(200, c[0]);
    settings.polyMode = 1;
    ApplyView(ComposeView());
    settings.letterbox = c[1];
    settings.polyMode = c[4];
    DisplayAt(20);
    std::array<GLint, 6> view{};
    glGetIntegerv(GL_VIEWPORT, view.data());
    glGetIntegerv(GL_POLYGON_MODE, &view[4]);
    EXPECT_EQ(view, (std::array<GLint, 6>{0, c[2], 200, c[3], c[5], c[5]})) << c[1];
  }
}

TEST(FrameDriver, AnEmptyWindowDrawsNothingAndGoesOn) {
  StartProgram(0, 0);
  for (int64_t ms = 0; ms < 200; ms += 16) DisplayAt(ms);
  EXPECT_EQ(TestWindow().swaps, 13);
}

}  // namespace
