// The end of the process: what start-up made given back, and the one exit path.
// (The death by a signal that Unix asks of a program it ends: platform/Signals.h.)
#pragma once

#include <cstdint>

extern uint32_t rampTexture;  // the procedural ramp made at start-up

// Gives back what start-up made in GL: the font and the ramp texture. Safe twice.
void TearDown();

// Releases the font and ends the process with exit code 0.
[[noreturn]] void ExitApp();
