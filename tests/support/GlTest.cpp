#include "tests/support/GlTest.h"

#include <cstdio>
#include <cstdlib>

OffscreenWindow& TestWindow() {
  static OffscreenWindow* window = [] {
    auto* opened = new OffscreenWindow;  // lives to process exit, past static destructors
    std::string error;
    if (!opened->Open(640, 480, &error)) {
      std::fprintf(stderr, "offscreen GL context: %s\n", error.c_str());
      std::exit(1);
    }
    UseWindow(opened);
    return opened;
  }();
  return *window;
}
