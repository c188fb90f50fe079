// wendrix.exe: the ripple interference toy in a Win32 window, started as every
// program starts (StartUp), then Windows' message loop with a frame whenever
// no message waits.
#include <windows.h>

#include <string>

#include "app/Process.h"
#include "app/Shell.h"
#include "painters/gl/GlPainter.h"
#include "window/win32/Win32Window.h"

namespace {
Win32Window* window = nullptr;

void NoSpecial(int, int, int) {}
void NoMouse(int, int, int, int) {}

// The shell's own keys until Init installs the application's, as GLUT's main has them.
void RegisterCallbacks() { window->InstallInputHandlers(DefaultKeyHandler, NoSpecial, NoMouse); }
}  // namespace

int main() {
  Win32Window program({.kind = Win32WindowKind::kProgram});
  window = &program;
  std::string error;
  GlPainter painter;
  if (!StartUp(program, painter, {.registerCallbacks = RegisterCallbacks}, &error)) {
    ShowStartFailure(error);
    return 1;
  }
  // Until Escape's fade ends it, or it is closed from its frame, the task bar or Alt+F4.
  while (program.HandleEvents(ReshapeHandler) && DisplayHandler()) {
  }
  TearDown();
  UseWindow(nullptr);
  return 0;
}
