// The per-frame sequence: time values, animation, the view, the picture, the
// text over it and the fade-out that ends the program.
#pragma once

#include <cstdint>

extern float nowSeconds;      // elapsedMs / 1000 for this frame
extern double previousTime;   // the previous frame's nowSeconds
extern float frameDelta;      // seconds since the previous frame, clamped
extern float fadeLevel;       // brightness; below 1 the fade-out runs
extern double nextFpsTime;    // nowSeconds at which the frame count is next latched
extern int32_t fpsValue;      // frames counted in the last latched second
extern int32_t frameCounter;  // frames since the last latch
extern uint32_t previousMs;   // the previous frame's elapsedMs, for the frame step

// One frame; ends the program itself when the fade-out completes.
bool RenderFrame();
// Polygon mode, letterbox viewport and the pixel-space projection.
void ApplyView();
