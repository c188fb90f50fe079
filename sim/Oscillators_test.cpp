// The generator's sequence and the oscillator bank's update rules.
#include "sim/Oscillators.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/Settings.h"
#include "sim/Random.h"

namespace {

// Settings with every speed factor at 1, as after a reset.
SimSettings& DefaultSpeeds() {
  settings.rotateSpeed = settings.movementSpeed = settings.mainSpeed = 1.0f;
  settings.lightRotateSpeed = 1.0f;
  return settings;
}

TEST(Random, KnownAnswersFromSeedZero) {
  // state = state * 214013 + 2531011; draw = (state >> 16) & 0x7FFF.
  SeedRandom(0);
  const int first[] = {38, 7719, 21238, 2437, 8855, 11797};
  for (int expected : first) EXPECT_EQ(NextRandom(), expected);
  for (int i = 6; i < 999; ++i) NextRandom();
  EXPECT_EQ(NextRandom(), 21074);  // the 1000th draw
  EXPECT_EQ(randomState, 3528639912u);
}

TEST(Random, ScaledStaysBelowItsBound) {
  SeedRandom(12345);
  for (int i = 0; i < 100000; ++i) {
    const double value = RandomScaled(1.0);
    ASSERT_GE(value, 0.0);
    ASSERT_LT(value, 1.0);
  }
  SeedRandom(0);
  EXPECT_DOUBLE_EQ(RandomScaled(2.0), 38 / 32768.0 * 2.0);
}

TEST(Oscillators, EveryStartFillsTheSameBank) {
  SeedRandom(0);
  InitOscillators(60);
  // Two draws per channel from seed 0, phase first.
  EXPECT_DOUBLE_EQ(oscillatorBank.phase[1], 38 / 32768.0 * 3.141592654);
  EXPECT_DOUBLE_EQ(oscillatorBank.targetRate[1], 7719 / 32768.0 * 0.02 + 0.02);
  EXPECT_DOUBLE_EQ(oscillatorBank.phase[2], 21238 / 32768.0 * 3.141592654);
  const OscillatorBank first = oscillatorBank;
  SeedRandom(0);
  InitOscillators(60);
  for (int i = 0; i < kBankChannels; ++i) {
    EXPECT_EQ(oscillatorBank.phase[i], first.phase[i]) << i;
    EXPECT_EQ(oscillatorBank.rate[i], first.rate[i]) << i;
  }
  for (int i = 1; i < 60; ++i) {
    EXPECT_EQ(oscillatorBank.active[i], 1);
    EXPECT_EQ(oscillatorBank.rate[i], oscillatorBank.targetRate[i]);
    EXPECT_GE(oscillatorBank.rate[i], 0.02);
    EXPECT_LT(oscillatorBank.rate[i], 0.04);
    EXPECT_GE(oscillatorBank.phase[i], 0.0);
    EXPECT_LT(oscillatorBank.phase[i], 3.141592654);
  }
  // Channel 0 and the channels past 59 are never filled.
  EXPECT_EQ(oscillatorBank.phase[0], 0.0);
  EXPECT_EQ(oscillatorBank.active[0], 0);
  EXPECT_EQ(oscillatorBank.phase[60], 0.0);
}

TEST(Oscillators, ZeroFrameTimeMovesRatesButNoPhase) {
  SeedRandom(0);
  InitOscillators(60);
  oscillatorBank.active[5] = 0;
  oscillatorBank.targetRate[7] = -0.03;
  const OscillatorBank before = oscillatorBank;
  const uint32_t seed = 99;
  SeedRandom(seed);
  UpdateOscillators(60, 0.0f, DefaultSpeeds());
  const uint32_t stateAfter = randomState;
  for (int i = 0; i < 60; ++i) {
    EXPECT_EQ(oscillatorBank.active[i], before.active[i]) << i;
    EXPECT_EQ(oscillatorBank.targetRate[i], before.targetRate[i]) << i;
    EXPECT_EQ(oscillatorBank.phase[i], before.phase[i]) << i;
  }
  EXPECT_DOUBLE_EQ(oscillatorBank.rate[5], before.rate[5] * 0.999);
  EXPECT_DOUBLE_EQ(oscillatorBank.rate[7], (-0.03 - before.rate[7]) * 0.001 + before.rate[7]);
  // Exactly two draws per channel when nothing fires.
  SeedRandom(seed);
  for (int i = 0; i < 120; ++i) NextRandom();
  EXPECT_EQ(randomState, stateAfter);
}

TEST(Oscillators, DrawOrderWhenEverythingFires) {
  // A frame time of 20 s makes 0.1 * frameDelta = 2, above every draw: each
  // channel flips and takes a new target, four draws in a fixed order.
  SeedRandom(0);
  InitOscillators(60);
  const OscillatorBank before = oscillatorBank;
  SeedRandom(7);
  UpdateOscillators(60, 20.0f, DefaultSpeeds());
  const OscillatorBank after = oscillatorBank;
  SeedRandom(7);
  for (int i = 0; i < 60; ++i) {
    RandomScaled(1.0);  // toggle
    RandomScaled(1.0);  // new target
    const double magnitude = RandomScaled(0.02) + 0.02;
    const double sign = RandomScaled(1.0) < 0.45 ? 1.0 : -1.0;
    EXPECT_EQ(after.targetRate[i], sign * magnitude) << i;
    EXPECT_EQ(after.active[i], before.active[i] ? 0 : 1) << i;
  }
  EXPECT_EQ(randomState, [] {
    SeedRandom(7);
    for (int i = 0; i < 240; ++i) NextRandom();
    return randomState;
  }());
}

TEST(Oscillators, IdleRateDecaysWithoutChangingSign) {
  oscillatorBank.active[9] = 0;
  oscillatorBank.rate[9] = -0.03;
  SeedRandom(0);
  for (int frame = 0; frame < 1000; ++frame) {
    oscillatorBank.active[9] = 0;  // keep it idle whatever the toggles draw
    UpdateOscillators(60, 0.0f, DefaultSpeeds());
  }
  EXPECT_LT(oscillatorBank.rate[9], 0.0);
  EXPECT_NEAR(oscillatorBank.rate[9], -0.03 * std::pow(0.999, 1000), 1e-12);
}

TEST(Oscillators, SpeedZeroFreezesItsGroupButNotTheClock) {
  SeedRandom(0);
  InitOscillators(60);
  SimSettings& still = DefaultSpeeds();
  still.mainSpeed = 0.0f;
  const OscillatorBank before = oscillatorBank;
  UpdateOscillators(60, 0.05f, still);
  for (int i = 7; i <= 49; ++i) EXPECT_EQ(oscillatorBank.phase[i], before.phase[i]) << i;
  EXPECT_NE(oscillatorBank.phase[4], before.phase[4]);
  EXPECT_NE(oscillatorBank.phase[50], before.phase[50]);
  EXPECT_NEAR(oscillatorBank.phase[0] - before.phase[0], 0.05f * 0.001, 1e-15);
  // Channels 1..3 turn 57.3 times faster than the rest.
  const double step1 = oscillatorBank.phase[1] - before.phase[1];
  EXPECT_NEAR(step1, oscillatorBank.rate[1] * 0.05f * 57.3, 1e-15);
}

TEST(Oscillators, OscillateSpansOffsetToOffsetPlusScale) {
  oscillatorBank.phase[3] = 0.0;
  EXPECT_DOUBLE_EQ(Oscillate(3, 1, 14, 4), 11.0);  // offset + scale / 2
  EXPECT_DOUBLE_EQ(Oscillate(70, 5, 1, 0), 0.5);   // never-filled channels sit mid-range
  for (double phase = -20; phase < 20; phase += 0.01) {
    oscillatorBank.phase[3] = phase;
    const double value = Oscillate(3, 1, 14, 4);
    ASSERT_GE(value, 4.0);
    ASSERT_LE(value, 18.0);
  }
}

}  // namespace
