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

// Opens a window seam the way `asked` and its renderer call for: GL first
// where it may be chosen, then the image where ChoosePresent says so. The seam
// has Open (GL), Renderer (null without a context) and OpenImage (any context
// given back). False with a reason; *image tells the path taken.
template <typename Seam>
bool OpenPresenter(Seam& window, Present asked, bool spotlight, bool* image, std::string* error) {
  std::string glError;
  const bool gl = (asked != Present::kImage || spotlight) && window.Open(&glError);
  *image = ChoosePresent(asked, gl ? window.Renderer() : nullptr, spotlight) == Present::kImage;
  if (*image) return window.OpenImage(error);
  if (!gl && error != nullptr) *error = glError;
  return gl;
}
