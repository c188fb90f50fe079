// The picture's arithmetic, point by point: the interference of up to eight
// circular ripples and the colour schemes. This is the reference every
// faster way is measured against.
#pragma once

#include <cstdint>

#include "state/Settings.h"

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

// The clamped interference value 0..1 at (u, v); NaN comes out as 0.
double FieldValue(const FieldFrame& frame, double u, double v);
// The scheme's colour for a clamped value, times fadeLevel, as handed to GL.
PointColor ColorForValue(const FieldFrame& frame, double value);
// The colour of the grid point at pixel (x, y).
PointColor EvaluatePoint(const FieldFrame& frame, uint32_t x, uint32_t y);

// Grid points across and up: one every `step` pixels from 0, below the edge.
uint32_t GridColumns(const FieldFrame& frame);
uint32_t GridRows(const FieldFrame& frame);
