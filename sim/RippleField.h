// The picture: a grid of square points over the window, each coloured from
// the interference of up to eight circular ripples.
#pragma once

#include <cstdint>

constexpr int kMaxRipples = 8;

// Everything a point's colour depends on, worked out once per frame.
struct FieldFrame {
  uint32_t width = 0;   // screenWidth
  uint32_t height = 0;  // screenHeight
  uint32_t step = 1;    // tesselation: grid step and point size
  int rippleCount = 1;
  int colorOption = 0;
  float fadeLevel = 1.0f;
  double verticalFactor = 1.0;  // 1 / (letterbox * 0.2 + 1)
  double rippleScale = 0.0;
  double invWidth = 0.0;
  double invHeight = 0.0;
  double slot[4 * kMaxRipples] = {};  // per ripple: centre u, centre v, frequency, phase
  double schemeColor[9] = {};         // colour scheme 7: Oscillate(20..28, 5, 1, 0)
};

struct PointColor {
  float red, green, blue;
};

extern double rippleScale;  // the frame's ripple scale, rewritten by every draw

// Reads the settings, the window size and the oscillator bank.
FieldFrame PrepareFieldFrame();
// The clamped interference value 0..1 at (u, v); NaN comes out as 0.
double FieldValue(const FieldFrame& frame, double u, double v);
// The scheme's colour for a clamped value, times fadeLevel, as handed to GL.
PointColor ColorForValue(const FieldFrame& frame, double value);
// The colour of the grid point at pixel (x, y).
PointColor EvaluatePoint(const FieldFrame& frame, uint32_t x, uint32_t y);

// Draws the whole grid into the current view, the way fieldPath says.
void DrawRippleField();
// The simple way, kept as the measure of the others: EvaluatePoint for every
// point, one glColor3f and glVertex2i each.
void DrawRippleFieldSimple();

// Grid points across and up: one every `step` pixels from 0, below the edge.
uint32_t GridColumns(const FieldFrame& frame);
uint32_t GridRows(const FieldFrame& frame);

// Where field evaluation writes grid rows of `columns` points each, row r
// from r * columns; exactly one of the outputs is set.
struct FieldRows {
  uint32_t columns = 0;
  float* rgb = nullptr;      // three floats per point, the values handed to glColor
  uint32_t* rgba = nullptr;  // the bytes GL stores for those floats: R, G, B, 255
};

enum class FieldEvaluation {
  Reference,  // EvaluatePoint, one point at a time, on this thread
  Sse2,
  Avx2,
  Avx512,
  Fastest,  // the widest the processor has
};
enum class FieldDrawing {
  ImmediatePoints,  // one glColor3f and glVertex2i per point
  PointArrays,      // the same points from vertex arrays
  Fastest,          // one zoomed pixel rectangle where that is known to give the
                    // points' pixels, point arrays elsewhere
};
// What DrawRippleField did last: the three ways to the screen.
enum class FieldDrawn { ImmediatePoints, PointArrays, PixelRectangle };

// A process-wide switch, read by every draw; the default is the fast path.
struct FieldPath {
  FieldEvaluation evaluation = FieldEvaluation::Fastest;
  FieldDrawing drawing = FieldDrawing::Fastest;
  int threads = 0;  // 0: every hardware thread
};
extern FieldPath fieldPath;
extern FieldDrawn lastFieldDrawn;

// The simple path: EvaluatePoint and immediate-mode points.
constexpr FieldPath kSimpleFieldPath{FieldEvaluation::Reference, FieldDrawing::ImmediatePoints, 1};

bool EvaluationSupported(FieldEvaluation evaluation);
// Fastest becomes the widest supported; an unsupported choice falls back to it too.
FieldEvaluation ResolveEvaluation(FieldEvaluation evaluation);
// The whole grid of the frame into out, split by rows over `threads` threads
// (0: every hardware thread); Reference always runs on this thread alone.
void EvaluateField(const FieldFrame& frame, const FieldRows& out, FieldEvaluation evaluation,
                   int threads);
// Whether one pixel rectangle would give exactly the pixels the points give,
// for this frame in the current GL state.
bool PixelRectangleMatchesPoints(const FieldFrame& frame);
