// What start-up made in GL, given back by the front end that ends the program
// while its context is still current. (The death by a signal that Unix asks of
// a program it ends: platform/Signals.h.)
#pragma once

#include <cstdint>

extern uint32_t rampTexture;  // the procedural ramp made at start-up

// Gives back what start-up made in GL: the font and the ramp texture. Safe twice.
void TearDown();

// Every process-wide value back to its value at launch, the clock on the
// platform's counter again; what lives in GL is TearDown's.
void ResetProcessState();
