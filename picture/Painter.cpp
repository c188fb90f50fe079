// The one painter in use; the overlay's text between frames goes to it too.
#include "picture/Painter.h"

namespace {
Painter* current = nullptr;
}

Painter* CurrentPainter() { return current; }

void UsePainter(Painter* painter) {
  current = painter;
  overlay.canvas = painter;
}
