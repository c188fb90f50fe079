// The per-frame sequence on the offscreen window: time values, the frame-rate
// latch, the fade-out and its end, pause, and the view each frame sets.
#include "app/FrameDriver.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/Clock.h"
#include "app/Settings.h"
#include "app/Shell.h"
#include "sim/Oscillators.h"
#include "tests/support/GlTest.h"

namespace {

void StartUp(int width = 640, int height = 480) {
  TestWindow().Resize(width, height);
  ReshapeHandler(width, height);
  PreInit();
  Init();
}

void FrameAt(uint32_t ms) {
  elapsedMs = ms;
  RenderFrame();
}

TEST(FrameDriver, LongFramesStepByAFixedTwentiethOfASecond) {
  StartUp();
  struct Case {
    uint32_t ms;
    float delta;
  } frames[] = {
      {250, 0.05f},  // the first frame counts from the clock start
      {300, static_cast<float>(0.3 - 0.25f)},
      {400, 0.05f},                       // 100 ms: the float 0.1 lies just above the double 0.1
      {501, 0.05f},                       // just over 0.1
      {600, static_cast<float>(0.099)},   // 99 ms is kept
      {499, static_cast<float>(-0.101)},  // a step back is kept as it is
  };
  for (const Case& frame : frames) {
    FrameAt(frame.ms);
    EXPECT_EQ(frameDelta, frame.delta) << frame.ms;
    EXPECT_EQ(nowSeconds, static_cast<float>(frame.ms * 0.001));
  }
}

TEST(FrameDriver, FrameRateLatchesOncePerSecond) {
  StartUp();
  uint32_t ms = 0;
  for (; ms < 1000; ms += 10) {
    FrameAt(ms);
    ASSERT_EQ(fpsValue, 30) << "nothing is latched before the first second";
  }
  FrameAt(ms);  // 1000 ms: the 101st frame closes the first second
  EXPECT_EQ(fpsValue, 101);
  EXPECT_EQ(frameCounter, 0);
  EXPECT_EQ(nextFpsTime, 2.0);
  // A stall of five seconds: one latch per following frame until the latch catches up.
  FrameAt(6000);
  EXPECT_EQ(fpsValue, 1);
  EXPECT_EQ(nextFpsTime, 3.0);
  for (int i = 0; i < 4; ++i) FrameAt(6010 + 10 * i);
  EXPECT_EQ(fpsValue, 1);
  EXPECT_EQ(nextFpsTime, 7.0);
  FrameAt(6100);
  EXPECT_EQ(frameCounter, 1);
}

TEST(FrameDriver, PauseStopsTheBankButNotTheCounting) {
  StartUp();
  FrameAt(16);
  paused = 1;
  const OscillatorBank before = oscillatorBank;
  for (uint32_t ms = 32; ms <= 1200; ms += 16) FrameAt(ms);
  for (int i = 0; i < 60; ++i) EXPECT_EQ(oscillatorBank.phase[i], before.phase[i]);
  EXPECT_NE(fpsValue, 30);  // the latch still fired
  paused = 0;
  FrameAt(1216);
  EXPECT_NE(oscillatorBank.phase[10], before.phase[10]);
}

// Runs frames 16 ms apart from the Escape key on; the exit hook reports the
// clock at which the fade ended the program.
void FadeToTheEnd() {
  StartUp();
  FrameAt(1000);
  fadeLevel = 0.999f;
  std::atexit([] { std::fprintf(stderr, "ended at %u ms\n", elapsedMs); });
  for (uint32_t ms = 1016; ms < 10000; ms += 16) FrameAt(ms);
  std::fprintf(stderr, "still running\n");
  std::exit(3);
}

TEST(FrameDriver, FadeEndsTheProgramWithCodeZeroAfterAbout2Point7Seconds) {
  // (0.999 - 0.05) / 0.35 = 2.71 s of frame time after the key.
  EXPECT_EXIT(FadeToTheEnd(), testing::ExitedWithCode(0), "ended at 3[67][0-9][0-9] ms");
}

TEST(FrameDriver, FadeDimsAndResetCancelsIt) {
  StartUp();
  FrameAt(1000);
  fadeLevel = 0.999f;
  FrameAt(1050);
  EXPECT_FLOAT_EQ(fadeLevel, 0.999f - 0.05f * 0.35f);
  // A stalled frame advances the fade by the clamped step only.
  FrameAt(5000);
  EXPECT_FLOAT_EQ(fadeLevel, 0.999f - 2 * 0.05f * 0.35f);
  ResetSettings();
  EXPECT_EQ(fadeLevel, 1.0f);
  for (uint32_t ms = 5016; ms < 9000; ms += 16) FrameAt(ms);
  EXPECT_EQ(fadeLevel, 1.0f);
}

TEST(FrameDriver, ViewportAndProjectionForEveryLetterboxLevel) {
  StartUp(640, 480);
  const int bottoms[7] = {0, 24, 48, 72, 96, 120, 144};
  for (int level = 0; level <= 6; ++level) {
    settings.letterbox = level;
    ApplyView();
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    const int bottom = bottoms[level];
    EXPECT_EQ(viewport, (std::array<GLint, 4>{0, bottom, 640, 480 - 2 * bottom})) << level;
    // The projection spans the whole window whatever the band.
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_FLOAT_EQ(projection[0], 2.0f / 640);
    EXPECT_FLOAT_EQ(projection[5], 2.0f / 480);
    EXPECT_FLOAT_EQ(projection[12], -1.0f);
    EXPECT_FLOAT_EQ(projection[13], -1.0f);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
  }
  // An odd height truncates both edges: 0.3 * 333 = 99.9, 0.7 * 333 = 233.1.
  ReshapeHandler(200, 333);
  settings.letterbox = 6;
  ApplyView();
  std::array<GLint, 4> viewport{};
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 99, 200, 134}));
}

TEST(FrameDriver, PolygonModeFollowsTheSettingAndKeepsItForStrangeValues) {
  StartUp();
  const struct {
    int polyMode;
    GLint expected;
  } cases[] = {{1, GL_LINE},   {2, GL_POINT}, {7, GL_POINT},
               {-1, GL_POINT}, {0, GL_FILL},  {3, GL_FILL}};
  for (const auto& c : cases) {
    settings.polyMode = c.polyMode;
    ApplyView();
    GLint modes[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], c.expected) << c.polyMode;
    EXPECT_EQ(modes[1], c.expected) << c.polyMode;
  }
}

TEST(FrameDriver, LightingActsOnTheFieldOnly) {
  StartUp(64, 64);
  FrameAt(20);
  const std::vector<uint8_t> unlit = TestWindow().ReadRgb();
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  settings.spotlights = 1;
  paused = 1;  // the same bank for both pictures
  FrameAt(20);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING)) << "lighting left on after the field";
  EXPECT_NE(TestWindow().ReadRgb(), unlit) << "the lights never reached the field";
}

TEST(FrameDriver, TheLightsColoursAndPlaceAskedBackFromGl) {
  StartUp();
  FrameAt(20);
  fadeLevel = 0.5f;
  FrameAt(40);
  GLfloat color[4];
  const struct {
    GLenum what;
    float level;
  } colors[] = {{GL_AMBIENT, 0.5f}, {GL_DIFFUSE, 0.75f}, {GL_SPECULAR, 0.9f}};
  for (const auto& c : colors) {
    glGetLightfv(GL_LIGHT0, c.what, color);
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(color[i], c.level * 0.5f) << c.what;
    EXPECT_EQ(color[3], 1.0f);
  }
  glGetFloatv(GL_LIGHT_MODEL_AMBIENT, color);
  EXPECT_FLOAT_EQ(color[0], 0.25f);
  // The light orbits the origin at 9.8 pixels: turned about y by a, tilted about x by b.
  const double a = Oscillate(53, 5, 720, 0) * M_PI / 180;
  const double b = Oscillate(54, 5, 720, 0) * M_PI / 180;
  GLfloat position[4];
  glGetLightfv(GL_LIGHT0, GL_POSITION, position);
  EXPECT_NEAR(position[0], 9.8 * std::cos(b) * std::sin(a), 1e-4);
  EXPECT_NEAR(position[1], -9.8 * std::sin(b), 1e-4);
  EXPECT_NEAR(position[2], 9.8 * std::cos(b) * std::cos(a), 1e-4);
  EXPECT_EQ(position[3], 1.0f);
  GLfloat direction[3];
  glGetLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, direction);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(direction[i], -position[i] / 9.8, 1e-4);
  GLfloat spot = 0;
  glGetLightfv(GL_LIGHT0, GL_SPOT_CUTOFF, &spot);
  EXPECT_EQ(spot, 30.0f);
  glGetLightfv(GL_LIGHT0, GL_SPOT_EXPONENT, &spot);
  EXPECT_EQ(spot, 30.0f);
}

TEST(FrameDriver, AZeroByZeroWindowDrawsNothingAndGoesOn) {
  StartUp(0, 0);
  for (uint32_t ms = 0; ms < 200; ms += 16) FrameAt(ms);
  GLfloat size = 0;
  glGetFloatv(GL_POINT_SIZE, &size);
  EXPECT_EQ(size, 6.0f);  // the field still set its point size
  // glOrtho refuses an empty window (GL_INVALID_VALUE); nothing else may go wrong.
  GLenum error;
  while ((error = glGetError()) != GL_NO_ERROR)
    EXPECT_EQ(error, static_cast<GLenum>(GL_INVALID_VALUE));
}

}  // namespace
