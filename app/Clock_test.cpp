// The frame clock: its millisecond arithmetic, and a program left running past
// the 32-bit wrap of elapsedMs (49.7 days).
#include "app/Clock.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/FrameDriver.h"
#include "state/Frame.h"
#include "tests/support/GlTest.h"
#include "text/TextOverlay.h"

namespace {

int64_t fakeCounter = 0;

TEST(Clock, MillisecondsTruncateAndKeepTheirLow32Bits) {
  SetCounterSource([] { return fakeCounter; }, 3);  // three ticks a second: truncation shows
  fakeCounter = 1000;
  StartClock();
  // Ticks, then milliseconds; the last's ticks * 1000 would overflow 64 bits.
  const int64_t cases[][2] = {
      {2, 666}, {3, 1000}, {-1, 4294966963}, {3 * int64_t{4294968}, 704}, {int64_t{3} << 61, 0}};
  for (const auto& c : cases) EXPECT_EQ(ElapsedMsAt(1000 + c[0]), c[1]) << c[0];
}

TEST(Clock, AcrossTheWrapFramesStepTheLineCountsAndMessagesExpire) {
  StartProgram(160, 120);
  const int64_t turn = int64_t{1} << 32;
  DisplayAt(turn - 5000);
  // As if it had been running all along: the latch at the next second, the hint long gone.
  nextFpsTime = std::floor(static_cast<double>(turn - 5000) / 1000) + 1.0;
  overlay.expiry = 0.0;
  int latches = 0;
  for (int64_t ms = turn - 4984; ms <= turn + 7000; ms += 16) {
    DisplayAt(ms);
    ASSERT_FLOAT_EQ(frameDelta, 0.016f) << ms;
    // Near 2^32 ms the float seconds are half a second apart: the second over the wrap runs long.
    if (frameCounter == 0 && ++latches > 1) {
      EXPECT_GE(fpsValue, 62) << ms;
      EXPECT_LE(fpsValue, ms < turn + 2000 ? 79 : 63) << ms;
    }
    EXPECT_EQ(overlay.expiry != 0.0, ms > turn - 1000 && ms < turn + 2000) << ms;
    if (ms == turn - 1000) Type("o");  // expires 3 s later, past the wrap
  }
  EXPECT_NEAR(latches, 12, 1);
}

}  // namespace
