// How the field is worked out and drawn: a process-wide choice that the renderer's
// options, the tests and the benchmarks set, and what the GL painter did last.
#pragma once

enum class FieldDrawing {
  SimplePoints,  // EvaluatePoint for every point, one glColor3f and glVertex2i each
  PointArrays,   // the vector kernels' colours as vertex-array points
  Fastest,       // one pixel rectangle where it is proven equal, point arrays elsewhere
};
// What the GL painter's field drawing did last.
enum class FieldDrawn { SimplePoints, PointArrays, PixelRectangle };

struct FieldPath {
  FieldDrawing drawing = FieldDrawing::Fastest;
  int threads = 0;  // 0: every hardware thread
};
extern FieldPath fieldPath;
extern FieldDrawn lastFieldDrawn;

// The simple way, kept as the measure of the others.
constexpr FieldPath kSimpleFieldPath{FieldDrawing::SimplePoints, 1};
