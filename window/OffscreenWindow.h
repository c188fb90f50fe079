// A window without a screen: a context drawing into a framebuffer object, for
// the renderer and the tests. On Linux the context is EGL's on Mesa's
// surfaceless platform; on Windows, WGL's on a window never shown.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "state/Frame.h"
#include "windowsystem/TypedKeys.h"
#include "windowsystem/Window.h"

class OffscreenWindow : public WindowSystem {
 public:
  explicit OffscreenWindow(int width = kLaunchWidth, int height = kLaunchHeight)
      : width_(width), height_(height) {}
  ~OffscreenWindow() override;
  OffscreenWindow(const OffscreenWindow&) = delete;
  OffscreenWindow& operator=(const OffscreenWindow&) = delete;

  // Makes the context current with a drawable of the size given at construction.
  bool Open(std::string* error) override;
  // New drawable size (0 allowed); contents are undefined afterwards.
  void Resize(int width, int height);
  // The drawable's pixels, RGB, top row first.
  std::vector<uint8_t> ReadRgb() const;

  void InstallInputHandlers(KeyCallback key, SpecialCallback special, MouseCallback mouse) override;
  // Full-screen and reshape requests are counted and remembered; the size stays.
  void FullScreen() override;
  void ReshapeWindow(int width, int height) override;
  void HideCursor() override;
  int WindowWidth() const override { return width_; }
  int WindowHeight() const override { return height_; }
  void SwapBuffers() override;
  // Its events are the calls below, made by whoever drives it: none wait.
  bool HandleEvents(ReshapeCallback) override { return true; }

  // Delivers a click through whatever handler is installed; keys are typed
  // through Type below.
  void Mouse(int button, int state, int x, int y) const;

  KeyCallback keyHandler = nullptr;
  SpecialCallback specialHandler = nullptr;
  MouseCallback mouseHandler = nullptr;
  int fullScreenRequests = 0;
  int reshapeRequests = 0;
  int requestedWidth = 0;  // size of the last reshape request
  int requestedHeight = 0;
  bool cursorHidden = false;
  int swaps = 0;

 private:
  // The framebuffer object on the current context, sized as the window; false with a reason.
  bool AttachFramebuffer(std::string* error);
  void ReleaseFramebuffer();

  void* display_ = nullptr;  // EGLDisplay; on Windows the hidden window (HWND)
  void* context_ = nullptr;  // EGLContext, or HGLRC
  unsigned framebuffer_ = 0;
  unsigned colorBuffer_ = 0;
  unsigned depthBuffer_ = 0;
  int width_ = 0;
  int height_ = 0;
};

// Keys typed into the window's handlers, as --keys and --key-at give them.
inline void Type(const OffscreenWindow& window, const std::vector<KeyPress>& keys) {
  Type(keys, window.keyHandler, window.specialHandler);
}
