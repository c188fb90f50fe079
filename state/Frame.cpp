// The frame's values at program start, and the clock's wrap arithmetic.
#include "state/Frame.h"

uint32_t screenWidth = kLaunchWidth;
uint32_t screenHeight = kLaunchHeight;

uint32_t elapsedMs = 0;
float nowSeconds = 0.0f;
float frameDelta = 0.0f;
float fadeLevel = 1.0f;

void ResetFrameValues() {
  screenWidth = kLaunchWidth;
  screenHeight = kLaunchHeight;
  elapsedMs = 0;
  nowSeconds = frameDelta = 0.0f;
  fadeLevel = 1.0f;
}

double ClockSecondsBetween(double from, double to) {
  double difference = to - from;
  if (difference >= kClockTurnSeconds / 2) {
    difference -= kClockTurnSeconds;
  } else if (difference < -kClockTurnSeconds / 2) {
    difference += kClockTurnSeconds;
  }
  return difference;
}
