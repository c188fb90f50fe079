// Each channel eases toward a random target speed or decays while idle, and
// flips between the two at random; the draw order fixes the sequence per seed.
#include "sim/Oscillators.h"

#include <cmath>

#include "sim/Random.h"
#include "state/Frame.h"
#include "state/Settings.h"

OscillatorBank oscillatorBank;

void InitOscillators(int count) {
  OscillatorBank& bank = oscillatorBank;
  for (int i = 1; i < count; ++i) {
    bank.phase[i] = RandomScaled(3.141592654);
    bank.targetRate[i] = RandomScaled(0.02) + 0.02;
    bank.rate[i] = bank.targetRate[i];
    bank.active[i] = 1;
  }
}

void UpdateOscillators(int count, float frameDelta, const SimSettings& settings) {
  OscillatorBank& bank = oscillatorBank;
  const double chance = 0.1 * frameDelta;  // per-frame probability of each flip
  for (int i = 0; i < count; ++i) {
    if (RandomScaled(1.0) < chance) bank.active[i] = bank.active[i] ? 0 : 1;
    if (RandomScaled(1.0) < chance) {
      const double magnitude = RandomScaled(0.02) + 0.02;
      bank.targetRate[i] = RandomScaled(1.0) < 0.45 ? magnitude : -magnitude;
    }
    if (bank.active[i] != 0) {
      bank.rate[i] = (bank.targetRate[i] - bank.rate[i]) * 0.001 + bank.rate[i];
    } else {
      bank.rate[i] = bank.rate[i] * 0.999;
    }
    double step;
    if (i == 0) {
      step = frameDelta * 0.001;  // a plain clock; its rate is not used
    } else if (i <= 3) {
      step = settings.rotateSpeed * bank.rate[i] * frameDelta * 57.3;
    } else if (i <= 6) {
      step = settings.movementSpeed * bank.rate[i] * frameDelta;
    } else if (i <= 49) {
      step = settings.mainSpeed * bank.rate[i] * frameDelta;
    } else {
      step = settings.lightRotateSpeed * bank.rate[i] * frameDelta;
    }
    bank.phase[i] += step;
  }
}

double Oscillate(int index, double k, double scale, double offset) {
  return (std::sin(k * oscillatorBank.phase[index]) * 0.5 + 0.5) * scale + offset;
}
