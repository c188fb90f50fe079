// The process's one window seam.
#include "shared/Window.h"

#include <cstdio>
#include <cstdlib>

namespace {
WindowSystem* currentWindow = nullptr;  // set by the executable before Init
}

WindowSystem& CurrentWindow() {
  if (currentWindow == nullptr) {
    std::fputs("wendrix: no window to draw into\n", stderr);
    std::abort();
  }
  return *currentWindow;
}

void UseWindow(WindowSystem* window) { currentWindow = window; }
