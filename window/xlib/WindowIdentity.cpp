// The icons travel as PNG files inside the executable and are decoded once,
// at start-up, by image/Png's decoder.
#include "window/xlib/WindowIdentity.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cstdint>

#include "image/Png.h"

namespace {
// Appends one icon; false leaves `cardinals` as it was.
bool AppendIcon(const EmbeddedPng& png, std::vector<unsigned long>* cardinals) {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;
  if (!DecodePngRgba({png.data, png.size}, &width, &height, &rgba)) return false;
  cardinals->push_back(static_cast<unsigned long>(width));
  cardinals->push_back(static_cast<unsigned long>(height));
  for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
    cardinals->push_back(static_cast<unsigned long>(rgba[i + 3]) << 24 |
                         static_cast<unsigned long>(rgba[i]) << 16 |
                         static_cast<unsigned long>(rgba[i + 1]) << 8 | rgba[i + 2]);
  }
  return true;
}
}  // namespace

std::vector<unsigned long> IconCardinals(std::span<const EmbeddedPng> icons) {
  std::vector<unsigned long> cardinals;
  for (const EmbeddedPng& png : icons) AppendIcon(png, &cardinals);
  return cardinals;
}

void SetWindowIdentity(Display* display, Window window, std::span<const EmbeddedPng> icons) {
  if (display == nullptr || window == 0) return;
  char name[] = "wendrix";
  char className[] = "Wendrix";
  XClassHint hint{name, className};
  XSetClassHint(display, window, &hint);
  const std::vector<unsigned long> cardinals = IconCardinals(icons);
  if (cardinals.empty()) return;
  // Format 32 properties travel as longs in Xlib, whatever their width on the wire.
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(cardinals.data()),
                  static_cast<int>(cardinals.size()));
}
