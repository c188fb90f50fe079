// How a screen saver's picture reaches the screen: drawn with GL, or made on the
// processor and put as an image, and which of the two a renderer calls for.
#pragma once

#include <string_view>

enum class Present {
  kAuto,   // the image where GL is drawn by the processor or cannot be had, else GL
  kGl,     // the program's own GL drawing
  kImage,  // the picture made on the processor, put on the window without GL
};

// "auto", "gl" or "image"; false for anything else.
bool ParsePresent(std::string_view text, Present* present);
const char* PresentName(Present present);

// The way to present: the one asked for, or for kAuto the image where the
// renderer is software or absent (null: no GL context could be had), GL elsewhere.
Present ChoosePresent(Present asked, const char* renderer);
