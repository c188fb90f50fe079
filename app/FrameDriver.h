// The per-frame sequence: time values, animation, the frame's picture handed to
// the painter, and the fade-out that ends the program.
#pragma once

#include <cstdint>

extern double nextFpsTime;    // nowSeconds at which the frame count is next latched
extern int32_t fpsValue;      // frames counted in the last latched second
extern int32_t frameCounter;  // frames since the last latch
extern uint32_t previousMs;   // the previous frame's elapsedMs, for the frame step

// These values as at launch.
void ResetFrameDriver();

// One frame; false once the fade-out has ended the program, when the frame
// just drawn is not to be shown and the caller tears down and stops.
[[nodiscard]] bool RenderFrame();
