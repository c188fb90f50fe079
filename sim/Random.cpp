// The generator's recurrence: state * 214013 + 2531011, top 15 bits of the low word.
#include "sim/Random.h"

uint32_t randomState = 1;

void SeedRandom(uint32_t seed) { randomState = seed; }

int NextRandom() {
  randomState = randomState * 214013u + 2531011u;
  return static_cast<int>((randomState >> 16) & 0x7FFFu);
}

double RandomScaled(double x) { return NextRandom() / 32768.0 * x; }
