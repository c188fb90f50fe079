// Start-up as the program runs it, on the offscreen window.
#include "app/Shell.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>

#include "app/Clock.h"
#include "app/Controls.h"
#include "app/FrameDriver.h"
#include "app/Settings.h"
#include "sim/Oscillators.h"
#include "sim/Random.h"
#include "tests/support/GlTest.h"
#include "text/TextOverlay.h"

namespace {

void StartUp() {
  OffscreenWindow& window = TestWindow();
  ReshapeHandler(window.WindowWidth(), window.WindowHeight());
  ASSERT_TRUE(PreInit());
  StartClock();
  ASSERT_TRUE(Init());
}

TEST(Shell, InitLeavesTheDefaultsAndTheFixedGlState) {
  StartUp();
  const OffscreenWindow& window = TestWindow();
  EXPECT_EQ(window.keyHandler, &KeyHandler);
  EXPECT_EQ(window.specialHandler, &SpecialKeyHandler);
  EXPECT_EQ(window.mouseHandler, &MouseHandler);
  EXPECT_EQ(window.fullScreenRequests, 1);
  EXPECT_TRUE(window.cursorHidden);

  EXPECT_EQ(rippleCount, 4);
  EXPECT_EQ(settings.tesselation, 6);
  EXPECT_EQ(settings.clearEachFrame, 1);
  EXPECT_EQ(settings.fov, 110);
  EXPECT_EQ(settings.letterbox, 0);
  EXPECT_EQ(fullScreen, 1);
  EXPECT_EQ(fadeLevel, 1.0f);
  EXPECT_STREQ(overlay.lastText, "Press ? key for Help Screen");
  EXPECT_EQ(overlay.expiry, 3.0);

  EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  GLint value = 0;
  glGetIntegerv(GL_BLEND_SRC, &value);
  EXPECT_EQ(value, GL_SRC_ALPHA);
  glGetIntegerv(GL_BLEND_DST, &value);
  EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
  glGetIntegerv(GL_SHADE_MODEL, &value);
  EXPECT_EQ(value, GL_SMOOTH);
  glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &value);
  EXPECT_EQ(value, GL_AMBIENT_AND_DIFFUSE);
  glGetIntegerv(GL_LIGHT_MODEL_LOCAL_VIEWER, &value);
  EXPECT_EQ(value, 1);
  GLfloat shininess = 0;
  glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
  EXPECT_EQ(shininess, 30.0f);
  // The start message, drawn last, leaves the font bound; the ramp left byte-aligned unpacking.
  EXPECT_TRUE(glIsTexture(rampTexture));
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &value);
  EXPECT_EQ(static_cast<uint32_t>(value), overlay.font.id - 1);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &value);
  EXPECT_EQ(value, 1);
}

TEST(Shell, EveryRunStartsFromTheSameBank) {
  StartUp();
  // PreInit and ResetSettings seed with elapsedMs, still 0: the first draw from seed 0 is 38.
  EXPECT_DOUBLE_EQ(oscillatorBank.phase[1], 38 / 32768.0 * 3.141592654);
  const OscillatorBank first = oscillatorBank;
  SeedRandom(0);
  InitOscillators(60);
  for (int i = 0; i < 60; ++i) EXPECT_EQ(oscillatorBank.phase[i], first.phase[i]);
}

TEST(Shell, ReshapeSetsTheWindowSizeAndViewport) {
  TestWindow();
  ReshapeHandler(300, 200);
  EXPECT_EQ(screenWidth, 300u);
  EXPECT_EQ(screenHeight, 200u);
  std::array<GLint, 4> viewport{};
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 300, 200}));
}

TEST(Shell, DefaultKeysToggleFullScreenAndEscapeEndsAtOnce) {
  TestWindow();
  DefaultKeyHandler('f', 0, 0);
  EXPECT_EQ(TestWindow().fullScreenRequests, 1);
  DefaultKeyHandler('F', 0, 0);
  EXPECT_EQ(TestWindow().reshapeRequests, 1);
  EXPECT_EQ(TestWindow().requestedWidth, 640);
  EXPECT_EQ(TestWindow().requestedHeight, 480);
  DefaultKeyHandler('x', 0, 0);
  EXPECT_EQ(TestWindow().fullScreenRequests + TestWindow().reshapeRequests, 2);
  EXPECT_EXIT(DefaultKeyHandler(27, 0, 0), testing::ExitedWithCode(0), "");
}

TEST(Shell, DisplayHandlerDrawsAtTheClockAndSwaps) {
  StartUp();
  SetCounterSource([] { return int64_t{1234567890}; }, 1000);
  StartClock();
  SetCounterSource([] { return int64_t{1234567890 + 1500}; }, 1000);
  DisplayHandler();
  EXPECT_EQ(elapsedMs, 1500u);
  EXPECT_EQ(nowSeconds, 1.5f);
  EXPECT_EQ(TestWindow().swaps, 1);
}

}  // namespace
