// The names of the ways to present, and auto's choice.
#include "painters/Present.h"

#include <cstddef>
#include <iterator>

#include "windowsystem/RendererName.h"

namespace {
constexpr std::string_view kNames[] = {"auto", "gl", "image"};
}

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

Present ChoosePresent(Present asked, const char* renderer) {
  if (asked != Present::kAuto) return asked;
  return renderer == nullptr || RendererIsSoftware(renderer) ? Present::kImage : Present::kGl;
}
