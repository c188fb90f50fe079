// The ways the evaluated grid reaches the screen, and the proof of when one
// zoomed pixel rectangle gives exactly the pixels of the points.
#pragma once

#include "sim/FieldEvaluation.h"

enum class FieldDrawing {
  SimplePoints,  // EvaluatePoint for every point, one glColor3f and glVertex2i each
  PointArrays,   // the vector kernels' colours as vertex-array points
  Fastest,       // one pixel rectangle where it is proven equal, point arrays elsewhere
};
// What DrawRippleField did last.
enum class FieldDrawn { SimplePoints, PointArrays, PixelRectangle };

// A process-wide switch, read by every draw; the default is the fast path.
struct FieldPath {
  FieldDrawing drawing = FieldDrawing::Fastest;
  int threads = 0;  // 0: every hardware thread
};
extern FieldPath fieldPath;
extern FieldDrawn lastFieldDrawn;

// The simple way, kept as the measure of the others.
constexpr FieldPath kSimpleFieldPath{FieldDrawing::SimplePoints, 1};

void DrawSimplePoints(const FieldFrame& frame);
// Draws rows that GridOutput gave and EvaluateField filled: bytes as the
// pixel rectangle, floats as point arrays.
void DrawGrid(const FieldFrame& frame, const FieldRows& rows);
// Whether one pixel rectangle would give exactly the pixels the points give,
// for this frame in the state the frame driver sets from the settings.
bool PixelRectangleMatchesPoints(const FieldFrame& frame);
