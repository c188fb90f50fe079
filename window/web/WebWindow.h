// The window seam in a web page: a WebGL context on the page's canvas, which
// fills the browser's window at one canvas pixel to a CSS pixel, the page's key
// events as GLUT's codes, and the browser's full screen.
#pragma once

#include "windowsystem/Window.h"

class WebWindow : public WindowSystem {
 public:
  // `fullScreenChanged` hears whether the page is now full screen, whoever changed
  // it (F, or the browser's own Escape).
  explicit WebWindow(void (*fullScreenChanged)(bool));

  // The context on the element #canvas; false with a reason (no WebGL).
  bool Open(std::string* error) override;
  // Keys reach the handlers from the page's key events; none when `Listen` was never called.
  void InstallInputHandlers(KeyCallback key, SpecialCallback special, MouseCallback mouse) override;
  // The browser's full screen, entered and left from a key: a page may change it only
  // while it handles an event the user made. Start-up's call finds the canvas filling
  // the window already.
  void FullScreen() override;
  void ReshapeWindow(int width, int height) override;
  void HideCursor() override;
  int WindowWidth() const override { return width_; }
  int WindowHeight() const override { return height_; }
  // The browser shows what a frame drew when the frame's callback returns.
  void SwapBuffers() override {}
  // Keys and the pointer come through the browser's own callbacks between frames; here
  // the canvas follows the browser window's size, handing a new one to `reshape`. A
  // page's window never goes: always true.
  bool HandleEvents(ReshapeCallback reshape) override;

  // Starts taking the page's keys and pointer; an embedded page never does.
  void Listen();
  // One key, a character or a special key code when `special`; `byUser` when the
  // user pressed it (only then may full screen change).
  void Press(int code, bool special, bool byUser);
  KeyCallback key = nullptr;
  SpecialCallback special = nullptr;
  MouseCallback mouse = nullptr;

 private:
  bool inEvent_ = false;  // while a user's key is handled, full screen may change
  void (*fullScreenChanged_)(bool);
  int width_ = 0;
  int height_ = 0;
};
