// The frame clock's arithmetic and the time values each frame derives from it.
#include "app/Clock.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

int64_t fakeCounter = 0;
int64_t FakeCounter() { return fakeCounter; }

TEST(Clock, MillisecondsTruncateAndKeepTheirLow32Bits) {
  SetCounterSource(FakeCounter, 3);  // three ticks a second: truncation shows
  fakeCounter = 1000;
  StartClock();
  EXPECT_EQ(startCounter, 1000);
  EXPECT_EQ(counterFrequency, 3);
  struct Case {
    int64_t ticks;
    uint32_t ms;
  } cases[] = {
      {0, 0},
      {1, 333},  // 1000 / 3 truncated
      {2, 666},
      {3, 1000},
      {-1, static_cast<uint32_t>(-333)},                  // before the start: wraps
      {int64_t{3} << 32, 0},                              // 2^32 s worth of ms: low bits only
      {3 * int64_t{4294967}, 4294967000u},                // just under the wrap
      {3 * int64_t{4294968}, 4294968000u - 4294967296u},  // just past it
  };
  for (const Case& c : cases) EXPECT_EQ(ElapsedMsAt(1000 + c.ticks), c.ms) << c.ticks;
}

TEST(Clock, SteadyClockIsTheDefault) {
  const int64_t first = ReadCounter();
  const int64_t second = ReadCounter();
  EXPECT_GE(second, first);
  EXPECT_EQ(ReadCounterFrequency(), 1000000000);  // steady_clock counts nanoseconds here
}

}  // namespace
