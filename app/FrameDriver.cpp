// RenderFrame runs once per display event, between the clock and the swap.
#include "app/FrameDriver.h"

#include "picture/Painter.h"
#include "sim/Lighting.h"
#include "sim/Oscillators.h"
#include "sim/Random.h"
#include "state/Frame.h"
#include "state/Settings.h"

double nextFpsTime = 1.0;
int32_t fpsValue = 30;
int32_t frameCounter = 0;

uint32_t previousMs = 0;

void ResetFrameDriver() {
  nextFpsTime = 1.0;
  fpsValue = 30;
  frameCounter = 0;
  previousMs = 0;
}

namespace {
constexpr int32_t kLongestStepMs = 100;  // longer frames are taken as...
constexpr double kStalledStep = 0.05;    // ...this step, so a stall never jumps
constexpr double kFadePerSecond = 0.35;
constexpr double kFadeEnd = 0.05;

// The frame's time values, the animation's step and the frame-rate count.
void AdvanceFrame() {
  // About one frame in 8192 re-seeds from the clock.
  if (RandomScaled(1.0) < 0.0001) SeedRandom(elapsedMs);

  const double t = elapsedMs * 0.001;
  nowSeconds = static_cast<float>(t);
  // The step is the signed 32-bit millisecond difference: it stays right when
  // elapsedMs wraps (every 49.7 days) and, unlike float seconds, keeps its precision.
  const int32_t stepMs = static_cast<int32_t>(elapsedMs - previousMs);
  // Compared in whole milliseconds: the float 0.1 lies above 0.1, and frames
  // exactly 100 ms apart are not stalls.
  frameDelta = static_cast<float>(stepMs > kLongestStepMs ? kStalledStep : stepMs * 0.001);
  previousMs = elapsedMs;

  if (paused == 0) UpdateOscillators(kOscillators, frameDelta, settings);

  frameCounter += 1;
  if (ClockSecondsBetween(nextFpsTime, nowSeconds) >= 0.0) {
    nextFpsTime += 1.0;
    if (nextFpsTime >= kClockTurnSeconds) nextFpsTime -= kClockTurnSeconds;  // wraps with the clock
    fpsValue = frameCounter;
    frameCounter = 0;
  }
}
}  // namespace

bool RenderFrame() {
  AdvanceFrame();
  if (paused == 0) UpdateSpotLights(1, 0.5f, 0.75f, 0.9f, fadeLevel, 9.8f);
  if (Painter* painter = CurrentPainter()) painter->Paint(ComposePicture(fpsValue));

  if (fadeLevel < 1.0f) {
    fadeLevel = static_cast<float>(fadeLevel - frameDelta * kFadePerSecond);
    if (fadeLevel < kFadeEnd) return false;  // the end: this frame is never shown
  }
  return true;
}
