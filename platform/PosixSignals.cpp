// Signals through sigaction, so that a handler's return interrupts a sleep.
#include <pthread.h>

#include <csignal>
#include <cstdlib>

#include "platform/Platform.h"
#include "platform/Signals.h"

namespace {
constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};
}  // namespace

void CatchEndSignals(void (*handler)(int signal)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  for (const int signal : kEndSignals) {
    // One ignored at start stays ignored: nohup's SIGHUP, a background job's SIGINT.
    struct sigaction before {};
    sigaction(signal, nullptr, &before);
    if (before.sa_handler != SIG_IGN) sigaction(signal, &action, nullptr);
  }
}

void HoldEndSignals(sigset_t* before) {
  sigset_t end;
  sigemptyset(&end);
  for (const int signal : kEndSignals) sigaddset(&end, signal);
  pthread_sigmask(SIG_BLOCK, &end, before);
}

void LeaveEndSignalsToMainThread() { HoldEndSignals(nullptr); }

void DieOfSignal(int signal) {
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  // Inside its own handler the signal is blocked; raised, it must strike at once.
  pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
  raise(signal);
  std::_Exit(128 + signal);  // not reached for a signal whose default ends the process
}
