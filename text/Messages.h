// Where the status messages and the frame-rate line stand and how long a
// message stays. The operations are TextOverlay's own (TextOverlay.h):
// ShowMessage, RedrawMessage and DrawFrameRate, defined in Messages.cpp.
#pragma once

#include <cstdint>

#include "state/Frame.h"
#include "text/TextOverlay.h"

constexpr int16_t kMessageX = 10;         // pixels from the window's left edge
constexpr int16_t kMessageY = 20;         // the cells' bottom, pixels below the top
constexpr float kMessageHeight = 20.0f;   // cell height in pixels
constexpr double kMessageSeconds = 3.0;   // on the clock elapsedMs * 0.001
constexpr int16_t kFrameRateInset = 120;  // the frame-rate line, from the right edge
