// The picture: a grid of square points over the window, each coloured from
// the interference of up to eight circular ripples (sim/FieldReference.h).
#pragma once

#include "sim/FieldReference.h"

// Reads the settings, the window size and the oscillator bank.
FieldFrame PrepareFieldFrame();
// Whether the grid's squares cover every pixel of the window, whichever way a
// rasteriser rounds an odd point size: no letterbox bars, squares to the edges.
bool FieldCoversWindow();
// Prepares the frame, evaluates the grid and draws it into the current view,
// the way fieldPath (FieldDrawing.h) says.
void DrawRippleField();
