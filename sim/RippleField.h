// The picture's field: a grid of square points over the window, each coloured
// from the interference of up to eight circular ripples (sim/FieldReference.h).
#pragma once

#include "sim/FieldReference.h"

// This frame's field from the settings, the window size and the oscillator bank.
FieldFrame PrepareFieldFrame();
// Whether the grid's squares cover every pixel of the window, whichever way a
// rasteriser rounds an odd point size: no letterbox bars, squares to the edges.
bool FieldCoversWindow();
