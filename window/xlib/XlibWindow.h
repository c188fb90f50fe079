// The window seam over Xlib and GLX, for the screen saver: it draws into a
// window that another program made (XScreenSaver's), the root window, or a
// window of its own, and follows that window's size and its end. The picture
// reaches it by GL, or as an image made on the processor.
#pragma once

#include <X11/Xlib.h>

#include <string>

#include "window/xlib/XImageBuffer.h"
#include "windowsystem/PixelImage.h"
#include "windowsystem/Window.h"

class XlibWindow : public WindowSystem, public ImageTarget {
 public:
  XlibWindow() = default;
  ~XlibWindow() override { Close(); }
  XlibWindow(const XlibWindow&) = delete;
  XlibWindow& operator=(const XlibWindow&) = delete;

  // Connects to $DISPLAY (GLX or not); false with a reason.
  bool Connect(std::string* error);
  Display* display() const { return display_; }
  Window window() const { return window_; }
  // The window Open draws into; 0, the default, makes a new 640x480 window.
  void SetTarget(Window target) { target_ = target; }
  // Makes a GL context current on the target, in a configuration of that
  // window's own visual, or on a window of its own; false with a reason.
  bool Open(std::string* error) override;
  // The name of the GL renderer, from the context Open makes (left open for
  // it); null where none can be had.
  const char* Renderer();
  // Presents by image instead: any GL context given back, an image of the
  // window's size made; the window is the one Open made or named, else opened
  // here without GL. False with a reason, the context kept where the window's
  // visual takes no image.
  bool OpenImage(std::string* error);
  // The image SwapBuffers puts on the window; empty on the GL path.
  PixelImage Picture() override { return image_.picture(); }
  // With GL, whether each swap waits for the display's refresh; the image path
  // is paced by its caller alone.
  void WaitForRefresh(bool wait);
  bool SharedImage() const { return image_.shared(); }
  // The image remade to a new size before `reshape` hears of it; false once the
  // window has gone or, when it is its own, has been closed, or when no image
  // of the new size can be had.
  bool HandleEvents(ReshapeCallback reshape) override;
  // The context, its own window and the connection; safe to call twice.
  void Close();

  // No keys reach a screen saver, and the window's size and pointer are its
  // owner's: these do nothing.
  void InstallInputHandlers(KeyCallback, SpecialCallback, MouseCallback) override {}
  void FullScreen() override {}
  void ReshapeWindow(int, int) override {}
  void HideCursor() override {}
  int WindowWidth() const override { return width_; }
  int WindowHeight() const override { return height_; }
  // GL's back buffer shown, or the image put.
  void SwapBuffers() override;

 private:
  // The target's size, visual and end followed; false with a reason.
  bool FollowTarget(XWindowAttributes* attributes, std::string* error);
  void CreateOwnWindow(Visual* visual, int depth);
  void DropContext();
  bool RemakeImage();

  bool hasGlx_ = false;
  bool imagePath_ = false;
  Visual* visual_ = nullptr;  // the window's, for its image
  int depth_ = 0;
  XImageBuffer image_;
  Display* display_ = nullptr;
  Window target_ = 0;
  Window window_ = 0;
  bool ownWindow_ = false;
  void* context_ = nullptr;  // GLXContext
  Colormap colormap_ = 0;    // its own window's
  Atom deleteWindow_ = 0;    // WM_DELETE_WINDOW: its own window's close button
  bool closed_ = false;
  int width_ = 0;
  int height_ = 0;
};

// Where --root draws when XScreenSaver names no window: the virtual root that
// some window managers put over the real one (__SWM_VROOT), else the root.
Window VirtualRoot(Display* display);
