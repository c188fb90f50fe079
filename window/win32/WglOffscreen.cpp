// The offscreen window's context on Windows: WGL on a window that is never
// shown, for the tests that run under Wine.
#include <windows.h>

#include "cmdline/Arguments.h"
#include "window/OffscreenWindow.h"
#include "window/win32/WglContext.h"

OffscreenWindow::~OffscreenWindow() {
  if (context_ == nullptr) return;
  ReleaseFramebuffer();
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(static_cast<HGLRC>(context_));
  DestroyWindow(static_cast<HWND>(display_));
}

bool OffscreenWindow::Open(std::string* error) {
  if (context_ != nullptr) return true;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.style = CS_OWNDC;  // the device context lives as long as the window
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"WendrixOffscreen";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowW(L"WendrixOffscreen", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              instance, nullptr);
  if (window == nullptr) return Fail(error, "cannot create a hidden window");
  display_ = window;
  HGLRC context = CreateWglContext(GetDC(window), false, error);
  if (context == nullptr) return false;
  context_ = context;
  return AttachFramebuffer(error);
}
