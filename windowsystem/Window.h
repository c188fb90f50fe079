// The few window operations the program makes, behind one seam, so that the
// same start-up and frame code runs in a GLUT window or on an offscreen context.
#pragma once

#include <string>

using KeyCallback = void (*)(unsigned char key, int x, int y);
using SpecialCallback = void (*)(int key, int x, int y);
using MouseCallback = void (*)(int button, int state, int x, int y);
// A new size of the window, from seams that hand sizes over as their events come.
using ReshapeCallback = void (*)(int width, int height);

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // Makes the window and its GL context current; false with a reason. An open
  // window answers true at once.
  virtual bool Open(std::string* error) = 0;
  // Replaces the keyboard, special-key and mouse callbacks; motion events stop.
  virtual void InstallInputHandlers(KeyCallback key, SpecialCallback special,
                                    MouseCallback mouse) = 0;
  virtual void FullScreen() = 0;
  virtual void ReshapeWindow(int width, int height) = 0;
  virtual void HideCursor() = 0;
  // The drawable's size as the window system reports it.
  virtual int WindowWidth() const = 0;
  virtual int WindowHeight() const = 0;
  virtual void SwapBuffers() = 0;
  // Takes the events that have come, handing a new size to `reshape` and input to
  // the installed handlers; false once the window has gone or been closed, or
  // input has ended a screen saver. A loop calls it before each frame.
  virtual bool HandleEvents(ReshapeCallback reshape) = 0;
};

// The window the program draws into; set once before start-up.
WindowSystem& CurrentWindow();
void UseWindow(WindowSystem* window);
