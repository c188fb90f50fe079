// The process's one window seam.
#include "windowsystem/Window.h"

#include <cstdio>
#include <cstdlib>

#include "cmdline/Arguments.h"

namespace {
WindowSystem* currentWindow = nullptr;  // set by the executable before Init
}

WindowSystem& CurrentWindow() {
  if (currentWindow == nullptr) {
    std::fprintf(stderr, "%s: no window to draw into\n", ProgramName());
    std::abort();
  }
  return *currentWindow;
}

void UseWindow(WindowSystem* window) { currentWindow = window; }
