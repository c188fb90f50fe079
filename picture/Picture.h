// One frame's picture as a value, with no GL in it: what its painters draw. The
// field's colours are worked out from its field frame; the squares stand in the
// band the letterbox leaves; the text lies over them as laid out.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "sim/FieldReference.h"
#include "sim/Lighting.h"
#include "text/TextOverlay.h"

// The band the picture is squeezed into: rows from `bottom` (counted upward), `height` of them.
struct LetterboxBand {
  int bottom, height;
};
// Each letterbox step takes 5% of the height from the top and from the bottom.
LetterboxBand LetterboxBandOf(int letterbox, uint32_t windowHeight);

struct Picture {
  int width = 0, height = 0;       // the window's pixels
  FieldFrame field;                // the grid and what its colours are worked out from
  LetterboxBand band{0, 0};        // the rows the grid's whole height is squeezed into
  int polyMode = 0;                // the polygon mode GL is left in; the text is always filled
  bool clear = false;              // black first: earlier frames would show where no square lies
  std::optional<SpotLight> light;  // while the spot light is on
  std::vector<TextRun> text;       // over the field, in the order drawn
};

// The frame's view alone: the window, the band and the polygon mode, no field
// values and no text; what start-up sets before the first frame.
Picture ComposeView();
// This frame's picture from the process's values. The text's operations run here,
// the message's expiry with them, so a frame composes its picture once.
Picture ComposePicture(int32_t framesPerSecond);
