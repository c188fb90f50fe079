// The frame clock: a monotonic 64-bit counter with a fixed frequency, and the
// millisecond count that every frame is drawn at.
#pragma once

#include <cstdint>

using CounterSource = int64_t (*)();

extern int64_t startCounter;      // counter value read once, just before Init
extern int64_t counterFrequency;  // counter ticks per second

// The platform's performance counter by default; tests swap in a counter of their own.
int64_t ReadCounter();
int64_t ReadCounterFrequency();
void SetCounterSource(CounterSource source, int64_t frequency);

// A counter turned by hand in milliseconds, for runs on a fixed clock (wendrix-render,
// the page) and the tests: the clock reads it from now on, at zero until turned.
void UseTurnedCounter();
void TurnCounterTo(int64_t ms);

// The platform's counter again, the turned one at zero, and the clock not started,
// as at launch.
void ResetClock();
// Reads the frequency, then the start value.
void StartClock();
// Milliseconds from startCounter to counter, kept to their low 32 bits.
uint32_t ElapsedMsAt(int64_t counter);
