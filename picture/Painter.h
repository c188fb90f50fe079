// What draws the pictures on a window: GL 1.1, the processor, or WebGL
// (painters/). A front end chooses one; the shell starts it and hands it each
// frame's picture, and text shown between frames reaches it at once.
#pragma once

#include <string>

#include "picture/Picture.h"
#include "text/TextOverlay.h"

class WindowSystem;

class Painter : public TextCanvas {
 public:
  // The window made ready for this painter's drawing; false with a reason.
  virtual bool Open(WindowSystem& window, std::string* error) = 0;
  // After the program's values are set and before the first frame: what the painter
  // keeps for its whole run (GL's fixed state, the glyph atlas), for `view`.
  virtual void Start(const Picture& view) = 0;
  // The window's new size.
  virtual void Reshape(int width, int height) = 0;
  virtual void Paint(const Picture& picture) = 0;
  // The help page put away while frames are cleared: cleared at once, between frames.
  virtual void ClearNow() = 0;
  // What Start made given back, while the window still stands; safe twice.
  virtual void Stop() = 0;
};

// The painter the shell hands the frames to, and text shown between frames; set
// by start-up, none (nullptr) at launch.
Painter* CurrentPainter();
void UsePainter(Painter* painter);
