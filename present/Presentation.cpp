// The choice rests on the renderer's name alone, so that it can be tried with
// the names real drivers give.
#include "present/Presentation.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string>

namespace {
constexpr std::string_view kNames[] = {"auto", "gl", "image"};

// Lower-case fragments of the names software rasterisers give.
constexpr std::string_view kSoftware[] = {
    "llvmpipe",    "softpipe",
    "swrast",      "software rasterizer",
    "gdi generic", "basic render driver",
    "mesa x11",    "mesa offscreen",
};
}  // namespace

bool ParsePresent(std::string_view text, Present* present) {
  for (size_t i = 0; i < std::size(kNames); ++i) {
    if (text == kNames[i]) {
      *present = static_cast<Present>(i);
      return true;
    }
  }
  return false;
}

const char* PresentName(Present present) { return kNames[static_cast<size_t>(present)].data(); }

bool RendererIsSoftware(std::string_view renderer) {
  std::string lower(renderer);
  // Plain algorithms: the page's libc++ (Emscripten 3.1.6) has no std::ranges ones.
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return std::any_of(std::begin(kSoftware), std::end(kSoftware),
                     [&](std::string_view name) { return lower.find(name) != std::string::npos; });
}

Present ChoosePresent(Present asked, const char* renderer, bool spotlight) {
  if (renderer != nullptr && spotlight) return Present::kGl;
  if (asked != Present::kAuto) return asked;
  return renderer == nullptr || RendererIsSoftware(renderer) ? Present::kImage : Present::kGl;
}
