// The window seam over freeglut.
#pragma once

#include <span>

#include "window/xlib/WindowIdentity.h"
#include "windowsystem/Window.h"

class GlutWindow : public WindowSystem {
 public:
  // GLUT takes its own options out of argv; icons show on the window once made.
  GlutWindow(int argc, char** argv, std::span<const EmbeddedPng> icons)
      : argc_(argc), argv_(argv), icons_(icons) {}
  // The window of CreateAppWindow, once.
  bool Open(std::string* error) override;
  void InstallInputHandlers(KeyCallback key, SpecialCallback special, MouseCallback mouse) override;
  void FullScreen() override;
  void ReshapeWindow(int width, int height) override;
  void HideCursor() override;
  int WindowWidth() const override;
  int WindowHeight() const override;
  void SwapBuffers() override;
  // One pass of GLUT's own loop, which hands sizes and input to its callbacks.
  bool HandleEvents(ReshapeCallback) override;

 private:
  int argc_;
  char** argv_;
  std::span<const EmbeddedPng> icons_;
  bool open_ = false;
};

// GLUT initialisation and the window: RGBA, double-buffered, depth, multisample;
// then its class and icons for the desktop, and one swap per display refresh.
void CreateAppWindow(int argc, char** argv, std::span<const EmbeddedPng> icons = {});
