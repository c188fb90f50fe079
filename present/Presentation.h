// How a screen saver puts its picture on the screen: drawn with GL, or made on
// the processor and put as an image, and which of the two a renderer calls for.
#pragma once

#include <string>
#include <string_view>

enum class Present {
  kAuto,   // the image where GL is drawn by the processor or cannot be had, else GL
  kGl,     // the program's own GL drawing
  kImage,  // the picture made on the processor, put on the window without GL
};

// "auto", "gl" or "image"; false for anything else.
bool ParsePresent(std::string_view text, Present* present);
const char* PresentName(Present present);

// Whether a GL_RENDERER string names a rasteriser that runs on the processor:
// Mesa's llvmpipe, softpipe and swrast (also under zink or Wine), Windows'
// "GDI Generic" and the Basic Render Driver.
bool RendererIsSoftware(std::string_view renderer);

// The way to present: the one asked for, or for kAuto the image where the
// renderer is software or absent (null: no GL context could be had), GL
// elsewhere. The spot light is GL's own lighting, so with it the picture
// keeps GL wherever a context can be had.
Present ChoosePresent(Present asked, const char* renderer, bool spotlight);

// Opens a window seam the way `asked` and its renderer call for. The seam has
// Renderer (the name a GL context of it gives, null without one; it may leave
// that context open for Open to take), Open (GL) and OpenImage (any context
// given back). False with a reason; *image tells the path taken.
// Where auto chose the image and the window cannot take one (a visual of
// another depth), GL still draws if it can.
template <typename Seam>
bool OpenPresenter(Seam& window, Present asked, bool spotlight, bool* image, std::string* error) {
  const bool askGl = asked != Present::kImage || spotlight;
  const char* renderer = askGl ? window.Renderer() : nullptr;
  *image = ChoosePresent(asked, renderer, spotlight) == Present::kImage;
  if (!*image) return window.Open(error);
  if (window.OpenImage(error)) return true;
  *image = false;
  return asked == Present::kAuto && renderer != nullptr && window.Open(error);
}
