// The program started the way main starts it, on the offscreen window, with a
// millisecond counter that the test turns by hand.
#pragma once

#include <cstdint>

extern int64_t counterMs;  // milliseconds since the clock started; may pass 2^32

// The window at width x height, PreInit, the clock started at 0, Init.
void StartProgram(int width, int height);
// One display event with the counter at ms: the clock, RenderFrame, the swap.
void DisplayAt(int64_t ms);
// The window changes size and the reshape callback hears of it, as under GLUT.
void Reshape(int width, int height);

constexpr int64_t kTurnMs = int64_t{1} << 32;  // elapsedMs wraps here, after 49.7 days
