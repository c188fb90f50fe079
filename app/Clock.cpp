// steady_clock behind the counter interface the frame driver was built on.
#include "app/Clock.h"

#include <chrono>

int64_t startCounter = 0;
int64_t counterFrequency = 0;
uint32_t elapsedMs = 0;

namespace {
int64_t SteadyTicks() { return std::chrono::steady_clock::now().time_since_epoch().count(); }
constexpr int64_t kSteadyFrequency =
    std::chrono::steady_clock::period::den / std::chrono::steady_clock::period::num;

CounterSource counterSource = SteadyTicks;
int64_t sourceFrequency = kSteadyFrequency;
}  // namespace

int64_t ReadCounter() { return counterSource(); }
int64_t ReadCounterFrequency() { return sourceFrequency; }

void SetCounterSource(CounterSource source, int64_t frequency) {
  counterSource = source;
  sourceFrequency = frequency;
}

void StartClock() {
  counterFrequency = ReadCounterFrequency();
  startCounter = ReadCounter();
}

uint32_t ElapsedMsAt(int64_t counter) {
  // ticks * 1000 / frequency, truncated, without forming ticks * 1000: with a
  // nanosecond counter that product leaves 64 bits after 106 days.
  const int64_t ticks = counter - startCounter;
  const int64_t ms =
      ticks / counterFrequency * 1000 + ticks % counterFrequency * 1000 / counterFrequency;
  return static_cast<uint32_t>(ms);
}

double ClockSecondsBetween(double from, double to) {
  double difference = to - from;
  if (difference >= kClockTurnSeconds / 2) {
    difference -= kClockTurnSeconds;
  } else if (difference < -kClockTurnSeconds / 2) {
    difference += kClockTurnSeconds;
  }
  return difference;
}
