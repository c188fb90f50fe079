// steady_clock behind the counter interface the frame driver was built on.
#include "app/Clock.h"

#include <chrono>

int64_t startCounter = 0;
int64_t counterFrequency = 0;

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
  // nanosecond counter that product leaves 64 bits after 106 days. The whole
  // seconds are scaled in unsigned arithmetic, which keeps the low 32 bits kept
  // here right whatever the count, where a signed product would overflow.
  const int64_t ticks = counter - startCounter;
  const uint64_t ms = static_cast<uint64_t>(ticks / counterFrequency) * 1000u +
                      static_cast<uint64_t>(ticks % counterFrequency * 1000 / counterFrequency);
  return static_cast<uint32_t>(ms);
}
