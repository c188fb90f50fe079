// The values of this frame's field, gathered once, and whether its squares
// leave any of the window uncovered.
#include "sim/RippleField.h"

#include "sim/Oscillators.h"
#include "state/Frame.h"
#include "state/Settings.h"

FieldFrame PrepareFieldFrame() {
  FieldFrame frame;
  frame.width = screenWidth;
  frame.height = screenHeight;
  // A step of 0 would never leave the row; the keys keep it 1..20 anyway.
  frame.step = static_cast<uint32_t>(settings.tesselation > 0 ? settings.tesselation : 1);
  frame.rippleCount = rippleCount;
  frame.colorOption = settings.colorOption;
  frame.fadeLevel = fadeLevel;
  frame.verticalFactor = 1.0 / (settings.letterbox * 0.2 + 1.0);
  frame.rippleScale = Oscillate(8, 1, 14, 4) * settings.frequency;
  for (int j = 0; j < 4 * rippleCount; ++j) frame.slot[j] = Oscillate(10 + j, 1, 4, -2);
  frame.invWidth = 1.0 / screenWidth;
  frame.invHeight = 1.0 / screenHeight;
  if (frame.colorOption == 7) {
    for (int n = 0; n < 9; ++n) frame.schemeColor[n] = Oscillate(20 + n, 5, 1, 0);
  }
  return frame;
}

bool FieldCoversWindow() {
  if (settings.letterbox != 0 || screenWidth == 0 || screenHeight == 0) return false;
  const uint32_t step = static_cast<uint32_t>(settings.tesselation > 0 ? settings.tesselation : 1);
  // Points every step from 0, each reaching (step + 1) / 2 below its place at most.
  const auto reaches = [step](uint32_t side) {
    return ((side - 1) / step + 1) * step - (step + 1) / 2 >= side;
  };
  return reaches(screenWidth) && reaches(screenHeight);
}
