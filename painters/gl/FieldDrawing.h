// The field drawn with GL 1.1 three ways, and the proof of when one zoomed pixel
// rectangle gives exactly the pixels of the points.
#pragma once

#include "picture/Picture.h"
#include "sim/FieldEvaluation.h"

void DrawSimplePoints(const FieldFrame& frame);
// Draws rows that GridOutput gave and EvaluateField filled: bytes as the
// pixel rectangle, floats as point arrays.
void DrawGrid(const FieldFrame& frame, const FieldRows& rows);
// Whether one pixel rectangle would give exactly the pixels the points give,
// for this picture in the view ApplyView sets for it.
bool PixelRectangleMatchesPoints(const Picture& picture);
// The picture's grid into the current view, the way fieldPath (sim/FieldPath.h)
// says, single-sampled.
void DrawRippleField(const Picture& picture);
