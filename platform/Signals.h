// The end Unix asks of a program it stops: SIGTERM, SIGINT and SIGHUP caught
// between frames, then the death by that signal, so the parent sees what ended
// it. Linux only (platform/PosixSignals.cpp): Windows ends its programs otherwise.
#pragma once

#include <csignal>

// SIGTERM, SIGINT and SIGHUP call `handler`, but for one ignored at start; a
// sleep or a blocking call they arrive in ends rather than starting over.
void CatchEndSignals(void (*handler)(int signal));
// Keeps SIGTERM, SIGINT and SIGHUP waiting in the calling thread until a call
// such as ppoll lets them in; *before (unless null) gets the mask as it was.
void HoldEndSignals(sigset_t* before);
// Dies of `signal` as if it had never been caught, so that the parent sees
// what ended it: its default action back, unblocked, raised again.
[[noreturn]] void DieOfSignal(int signal);
