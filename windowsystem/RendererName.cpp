// The judgement rests on the renderer's name alone, so that it can be tried with
// the names real drivers give.
#include "windowsystem/RendererName.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string>

namespace {
// Lower-case fragments of the names software rasterisers give.
constexpr std::string_view kSoftware[] = {
    "llvmpipe",    "softpipe",
    "swrast",      "software rasterizer",
    "gdi generic", "basic render driver",
    "mesa x11",    "mesa offscreen",
};
}  // namespace

bool RendererIsSoftware(std::string_view renderer) {
  std::string lower(renderer);
  // Plain algorithms: the page's libc++ (Emscripten 3.1.6) has no std::ranges ones.
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return std::any_of(std::begin(kSoftware), std::end(kSoftware),
                     [&](std::string_view name) { return lower.find(name) != std::string::npos; });
}

bool RendererIsLlvmpipe(std::string_view renderer) { return renderer.starts_with("llvmpipe"); }
