// The picture's image on the X server's side of the wire: in a shared memory
// segment (MIT-SHM) where the server is local and offers it, else sent whole
// with XPutImage.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <string>

#include "windowsystem/PixelImage.h"

// Whether a window of this visual and depth takes the picture's words as they
// stand: TrueColor, eight bits a colour at 0xff0000, 0xff00 and 0xff.
bool VisualTakesPixelImage(const Visual* visual, int depth);

class XImageBuffer {
 public:
  XImageBuffer() = default;
  ~XImageBuffer() { Release(); }
  XImageBuffer(const XImageBuffer&) = delete;
  XImageBuffer& operator=(const XImageBuffer&) = delete;

  // An image of width x height for window, in its visual and depth; false with a reason.
  bool Create(Display* display, Window window, Visual* visual, int depth, int width, int height,
              std::string* error);
  // Puts the whole image on the window; returns once the server has read it,
  // so that the next frame may be written.
  void Put();
  // The image, the segment and the drawing context given back; safe to call twice.
  void Release();

  PixelImage picture() const { return picture_; }
  bool shared() const { return shared_; }

 private:
  bool AttachShared(Visual* visual, int depth, int width, int height);

  Display* display_ = nullptr;
  Window window_ = 0;
  GC gc_ = nullptr;
  XImage* image_ = nullptr;
  XShmSegmentInfo segment_{};
  bool shared_ = false;
  PixelImage picture_;
};
