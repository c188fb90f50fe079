// The picture: a grid of square points over the window, each coloured from
// the interference of up to eight circular ripples. This is the reference
// arithmetic every faster way is measured against.
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

// Grid points across and up: one every `step` pixels from 0, below the edge.
uint32_t GridColumns(const FieldFrame& frame);
uint32_t GridRows(const FieldFrame& frame);

// Prepares the frame, evaluates the grid and draws it into the current view,
// the way fieldPath (FieldDrawing.h) says.
void DrawRippleField();
