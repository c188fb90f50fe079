// The generator's sequence and the oscillator bank's rules.
#include "sim/Oscillators.h"

#include <gtest/gtest.h>

#include "sim/Random.h"
#include "state/Settings.h"

namespace {

TEST(Random, KnownAnswersFromSeedZeroAndTheBankTheyFill) {
  SeedRandom(0);
  for (const int expected : {38, 7719, 21238, 2437}) EXPECT_EQ(NextRandom(), expected);
  // The bank from seed 0, as every start fills it: phase, then rate, for channels 1 on, each
  // draw scaled. (The long run of the sequence is in every golden frame.)
  SeedRandom(0);
  oscillatorBank = {};  // as at launch, whatever ran before in this process
  InitOscillators(kOscillators);
  EXPECT_DOUBLE_EQ(oscillatorBank.phase[1], 38 / 32768.0 * 3.141592654);
  EXPECT_DOUBLE_EQ(oscillatorBank.rate[1], 7719 / 32768.0 * 0.02 + 0.02);
  EXPECT_EQ(oscillatorBank.active[59], 1);
  EXPECT_EQ(oscillatorBank.active[0], 0);
  EXPECT_EQ(oscillatorBank.active[60], 0);
}

TEST(Oscillators, RatesEaseOrDecayAndEachGroupTurnsWithItsSpeed) {
  settings.rotateSpeed = 2.0f;
  settings.movementSpeed = 3.0f;
  settings.mainSpeed = 5.0f;
  settings.lightRotateSpeed = 7.0f;
  const struct {
    int channel, active;
    double factor;  // phase step per rate and second
  } cases[] = {{1, 1, 2 * 57.3}, {6, 0, 3}, {49, 1, 5}, {50, 0, 7}};
  for (const auto& c : cases) {
    oscillatorBank.rate[c.channel] = 0.03;
    oscillatorBank.targetRate[c.channel] = -0.02;
    oscillatorBank.active[c.channel] = c.active;
    oscillatorBank.phase[c.channel] = 0.0;
  }
  oscillatorBank.phase[0] = 0.0;
  SeedRandom(1);  // no flip in this frame: 0.1 * 0.01 s beats none of these channels' draws
  UpdateOscillators(kOscillators, 0.01f, settings);
  for (const auto& c : cases) {
    const double rate = c.active != 0 ? (-0.02 - 0.03) * 0.001 + 0.03 : 0.03 * 0.999;
    EXPECT_DOUBLE_EQ(oscillatorBank.rate[c.channel], rate) << c.channel;
    EXPECT_NEAR(oscillatorBank.phase[c.channel], c.factor * rate * 0.01f, 1e-15) << c.channel;
  }
  EXPECT_DOUBLE_EQ(oscillatorBank.phase[0], 0.01f * 0.001);  // channel 0 is a plain clock
  oscillatorBank.phase[3] = 3.141592653589793 / 10;
  EXPECT_DOUBLE_EQ(Oscillate(3, 5, 14, 4), 18.0);
}

}  // namespace
