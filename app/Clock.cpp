// The platform's performance counter behind the interface the frame driver was built on.
#include "app/Clock.h"

#include "platform/Platform.h"

int64_t startCounter = 0;
int64_t counterFrequency = 0;

namespace {
CounterSource counterSource = PerformanceCounter;
int64_t sourceFrequency = PerformanceFrequency();
int64_t turnedMs = 0;  // the hand-turned counter
int64_t TurnedCounter() { return turnedMs; }
}  // namespace

int64_t ReadCounter() { return counterSource(); }
int64_t ReadCounterFrequency() { return sourceFrequency; }

void SetCounterSource(CounterSource source, int64_t frequency) {
  counterSource = source;
  sourceFrequency = frequency;
}

void UseTurnedCounter() {
  turnedMs = 0;
  SetCounterSource(TurnedCounter, 1000);
}

void TurnCounterTo(int64_t ms) { turnedMs = ms; }

void ResetClock() {
  SetCounterSource(PerformanceCounter, PerformanceFrequency());
  turnedMs = 0;
  startCounter = counterFrequency = 0;
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
