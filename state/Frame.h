// The values of the frame being drawn, which every part of the program reads: the window's
// size, the clock's milliseconds and seconds, the time step and the fade.
#pragma once

#include <cstdint>

// Every window's size when it is made, before it goes full screen.
inline constexpr int kLaunchWidth = 640, kLaunchHeight = 480;

extern uint32_t screenWidth;   // window width in pixels, set by ReshapeHandler
extern uint32_t screenHeight;  // window height in pixels, set by ReshapeHandler

extern uint32_t elapsedMs;  // milliseconds from the clock's start to this frame
extern float nowSeconds;    // elapsedMs / 1000 for this frame
extern float frameDelta;    // seconds since the previous frame, clamped
extern float fadeLevel;     // brightness; below 1 the fade-out runs

// These values as at launch.
void ResetFrameValues();

// elapsedMs turns over every 2^32 ms. Times read from it are compared through
// their difference, taken within half a turn either way, which holds across the wrap.
constexpr double kClockTurnSeconds = 4294967.296;
// to - from in seconds, brought into [-half a turn, half a turn).
double ClockSecondsBetween(double from, double to);
