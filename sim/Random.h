// The process's one random generator: a 15-bit linear congruential generator
// whose exact sequence the animation depends on.
#pragma once

#include <cstdint>

extern uint32_t randomState;  // 1 at program start

void SeedRandom(uint32_t seed);
// The generator as at launch.
inline void ResetRandom() { SeedRandom(1); }
// One draw, 0..32767.
int NextRandom();
// NextRandom() / 32768 * x: from 0 up to but excluding x.
double RandomScaled(double x);
