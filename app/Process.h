// The end of the process: what start-up made given back, the one exit path, and
// the death by a signal that the Unix convention asks of a program it ends.
#pragma once

#include <cstdint>

extern uint32_t rampTexture;  // the procedural ramp made at start-up

// Gives back what start-up made in GL: the font and the ramp texture. Safe twice.
void TearDown();

// Releases the font and ends the process with exit code 0.
[[noreturn]] void ExitApp();

// SIGTERM, SIGINT and SIGHUP call `handler`, but for one ignored at start; a
// sleep or a blocking call they arrive in ends rather than starting over.
void CatchEndSignals(void (*handler)(int signal));
// Dies of `signal` as if it had never been caught, so that the parent sees
// what ended it: its default action back, unblocked, raised again.
[[noreturn]] void DieOfSignal(int signal);
