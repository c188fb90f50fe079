// A program left running on a wall: after 2^32 ms (49.7 days) elapsedMs wraps to
// 0 under it. The frames still step forward, the frame-rate line keeps counting,
// a message still lasts three seconds and Escape still ends the program.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/Clock.h"
#include "app/FrameDriver.h"
#include "sim/Oscillators.h"
#include "tests/robust/Program.h"
#include "tests/support/GlTest.h"
#include "text/TextOverlay.h"

namespace {

// The state 49.7 days of frames would have left the latch in: it has fired once
// a second and waits for the next whole second. (Jumping there from the start is a
// single stall of more than half a turn, which a 32-bit clock cannot tell from none.)
void LatchAsIfRunningSince(int64_t ms) {
  nextFpsTime = std::floor(static_cast<double>(ms) / 1000) + 1.0;
}

// No frame may move a channel by more than its fastest rate over the longest step.
void ExpectSmallForwardSteps(const OscillatorBank& before, int64_t ms) {
  for (int i = 1; i < 60; ++i) {
    const double step = oscillatorBank.phase[i] - before.phase[i];
    const double limit = 0.04 * 0.1 * (i <= 3 ? 57.3 : 1.0);
    ASSERT_LE(std::fabs(step), limit) << "channel " << i << " at " << ms << " ms";
  }
}

struct Latch {
  int64_t ms;
  int32_t frames;
};

TEST(ClockWrap, FramesStepForwardAndTheLineKeepsCountingAcrossTheWrap) {
  StartProgram(160, 120);
  const int64_t start = kTurnMs - 5000;
  DisplayAt(start);
  LatchAsIfRunningSince(start);
  const double channel10 = oscillatorBank.phase[10];
  std::vector<Latch> latches;
  for (int64_t ms = start + 16; ms <= start + 12000; ms += 16) {
    const OscillatorBank before = oscillatorBank;
    DisplayAt(ms);
    ASSERT_FLOAT_EQ(frameDelta, 0.016f) << ms;
    ExpectSmallForwardSteps(before, ms);
    if (frameCounter == 0) latches.push_back({ms, fpsValue});
  }
  EXPECT_NE(oscillatorBank.phase[10], channel10) << "the ripples stood still";
  // One latch a second, twelve seconds, before and after the wrap alike.
  ASSERT_GE(latches.size(), 11u);
  ASSERT_LE(latches.size(), 13u);
  EXPECT_GT(latches.back().ms, kTurnMs + 5000);
  // The first latch closes the part second since the jump. After it: 62 or 63
  // frames of 16 ms a second; the second over the wrap may run a quarter second
  // long, as the float seconds near 2^32 ms are half a second apart.
  latches.erase(latches.begin());
  for (const Latch& latch : latches) {
    EXPECT_GE(latch.frames, 62) << latch.ms - kTurnMs;
    EXPECT_LE(latch.frames, latch.ms < kTurnMs + 2000 ? 79 : 63) << latch.ms - kTurnMs;
  }
}

// True when the remembered message's white cells show in the top left corner.
bool MessageOnScreen() {
  const std::vector<uint8_t> rgb = TestWindow().ReadRgb();
  const int width = TestWindow().WindowWidth();
  for (int y = 0; y < 20; ++y) {
    for (int x = 10; x < 100; ++x) {
      const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      if (p[0] == 255 && p[1] == 255 && p[2] == 255) return true;
    }
  }
  return false;
}

TEST(ClockWrap, AMessageShownJustBeforeTheWrapLastsThreeSeconds) {
  StartProgram(160, 120);
  DisplayAt(kTurnMs - 2000);
  const int64_t shown = kTurnMs - 1000;
  DisplayAt(shown);
  TestWindow().Key('t');
  ASSERT_STREQ(overlay.lastText, "Textures On");
  for (int64_t ms = shown + 16; ms < shown + 4000; ms += 16) {
    DisplayAt(ms);
    const bool due = ms - shown < 3000;
    ASSERT_EQ(overlay.expiry != 0.0, due) << ms - shown << " ms after the key";
    ASSERT_EQ(MessageOnScreen(), due) << ms - shown << " ms after the key";
  }
}

TEST(ClockWrap, AStallOfThreeMinutesAcrossTheWrap) {
  StartProgram(160, 120);
  int64_t ms = kTurnMs - 60000;
  DisplayAt(ms);
  LatchAsIfRunningSince(ms);
  TestWindow().Key('t');
  for (int i = 0; i < 60; ++i) DisplayAt(ms += 16);
  ASSERT_NE(overlay.expiry, 0.0);

  const OscillatorBank before = oscillatorBank;
  DisplayAt(ms += 180000);
  EXPECT_FLOAT_EQ(frameDelta, 0.05f);
  ExpectSmallForwardSteps(before, ms);
  EXPECT_NE(oscillatorBank.phase[10], before.phase[10]) << "the ripples stood still";
  EXPECT_EQ(overlay.expiry, 0.0) << "the message outlived the stall";

  // The latch catches up one second a frame, then counts whole seconds again.
  std::vector<int32_t> latched;
  int caughtUp = -1;
  for (int frame = 0; frame < 800; ++frame) {
    DisplayAt(ms += 16);
    if (frameCounter == 0) latched.push_back(fpsValue);
    if (frameCounter != 0 && caughtUp < 0) caughtUp = frame;
  }
  EXPECT_GT(caughtUp, 170);
  EXPECT_LT(caughtUp, 200);
  ASSERT_GE(latched.size(), 4u);
  for (size_t i = latched.size() - 3; i < latched.size(); ++i) {
    EXPECT_GE(latched[i], 62);
    EXPECT_LE(latched[i], 63);
  }
}

// Escape at startMs, frames 16 ms apart, with one stall of stallMs at stallAtMs;
// the exit hook reports the clock the fade ended at.
void FadeAcrossTheWrap(int64_t startMs, int64_t stallAtMs, int64_t stallMs) {
  StartProgram(160, 120);
  int64_t ms = startMs;
  DisplayAt(ms);
  TestWindow().Key(27);
  std::atexit([] { std::fprintf(stderr, "ended at %u ms\n", elapsedMs); });
  while (ms < kTurnMs + 600000) {
    ms += ms >= stallAtMs && ms < stallAtMs + 16 ? stallMs : 16;
    DisplayAt(ms);
  }
  std::fprintf(stderr, "still running at %u ms, fade level %g\n", elapsedMs, fadeLevel);
  std::exit(3);
}

TEST(ClockWrap, EscapeJustBeforeTheWrapStillEndsTheProgram) {
  // (0.999 - 0.05) / 0.35 = 2.71 s of frame time, from a second before the wrap.
  EXPECT_EXIT(FadeAcrossTheWrap(kTurnMs - 1000, kTurnMs * 2, 0), testing::ExitedWithCode(0),
              "ended at 17[0-9][0-9] ms");
}

TEST(ClockWrap, AFadeGoesOnThroughAStallOverTheWrap) {
  // 0.5 s of fade, a three-minute stall counted as 0.05 s, then the remaining ~2.2 s.
  EXPECT_EXIT(FadeAcrossTheWrap(kTurnMs - 1000, kTurnMs - 500, 180000), testing::ExitedWithCode(0),
              "ended at 18[0-9][0-9][0-9][0-9] ms");
}

int64_t ticks = 0;

TEST(ClockWrap, MillisecondsStayExactOverYearsOfCounting) {
  const struct {
    int64_t frequency;
    int64_t ms;
  } cases[] = {
      {1000000000, 0},
      {1000000000, kTurnMs - 1},              // the last millisecond before the wrap
      {1000000000, kTurnMs},                  // 49.7 days: 0 again
      {1000000000, int64_t{106} * 86400000},  // nanoseconds times 1000 just inside 64 bits
      {1000000000, int64_t{107} * 86400000},  // and just outside
      {1000000000, int64_t{3650} * 86400000 + 12345},
      {10000000, int64_t{29200} * 86400000 + 999},  // eighty years of a 10 MHz counter
  };
  for (const auto& c : cases) {
    SetCounterSource([] { return ticks; }, c.frequency);
    ticks = int64_t{1} << 40;  // wherever the counter stood at the start
    StartClock();
    // One tick short of the next millisecond: the fraction must be dropped.
    const int64_t perMs = c.frequency / 1000;
    EXPECT_EQ(ElapsedMsAt(ticks + c.ms * perMs + perMs - 1), static_cast<uint32_t>(c.ms))
        << c.ms << " ms at " << c.frequency << " Hz";
  }
}

}  // namespace
