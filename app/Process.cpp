// The static objects, constructed in this order before main and destroyed in
// reverse at exit, and the exit that runs their destructors.
#include "app/Process.h"

#include <GL/gl.h>

#include <csignal>
#include <cstdlib>

#include "shared/Settings.h"
#include "text/TextOverlay.h"

TextOverlay overlay;
SimSettings settings;

uint32_t rampTexture = 0;

void TearDown() {
  overlay.font.release();  // Init's own holder deletes the same name again at exit, harmlessly
  if (rampTexture != 0) glDeleteTextures(1, &rampTexture);
  rampTexture = 0;
}

void ExitApp() {
  TearDown();
  std::exit(0);
}

void CatchEndSignals(void (*handler)(int signal)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    // One ignored at start stays ignored: nohup's SIGHUP, a background job's SIGINT.
    struct sigaction before {};
    sigaction(signal, nullptr, &before);
    if (before.sa_handler != SIG_IGN) sigaction(signal, &action, nullptr);
  }
}

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
