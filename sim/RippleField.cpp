// The reference arithmetic, point by point, and the frame's drawing sequence.
#include "sim/RippleField.h"

#include <GL/gl.h>
#include <GL/glext.h>  // names past OpenGL 1.1, where Windows' gl.h stops

#include <cmath>
#include <cstddef>

#include "shared/Frame.h"
#include "shared/Settings.h"
#include "sim/FieldDrawing.h"
#include "sim/FieldEvaluation.h"
#include "sim/FieldGrid.h"
#include "sim/Oscillators.h"

double rippleScale = 0.0;

FieldFrame PrepareFieldFrame() {
  FieldFrame frame;
  frame.width = screenWidth;
  frame.height = screenHeight;
  // A step of 0 would never leave the row; the keys keep it 1..20 anyway.
  frame.step = static_cast<uint32_t>(settings.tesselation > 0 ? settings.tesselation : 1);
  frame.rippleCount = rippleCount;
  frame.colorOption = settings.colorOption;
  frame.fadeLevel = fadeLevel;
  frame.verticalFactor = 1.0 / (settings.letterbox * 0.2 + 1.0);
  rippleScale = Oscillate(8, 1, 14, 4) * settings.frequency;
  frame.rippleScale = rippleScale;
  for (int j = 0; j < 4 * rippleCount; ++j) frame.slot[j] = Oscillate(10 + j, 1, 4, -2);
  frame.invWidth = 1.0 / screenWidth;
  frame.invHeight = 1.0 / screenHeight;
  if (frame.colorOption == 7) {
    for (int n = 0; n < 9; ++n) frame.schemeColor[n] = Oscillate(20 + n, 5, 1, 0);
  }
  return frame;
}

double FieldValue(const FieldFrame& frame, double u, double v) {
  double sum = 0.0;
  for (int r = 0; r < frame.rippleCount; ++r) {
    const double* ripple = frame.slot + static_cast<ptrdiff_t>(4) * r;
    const double dx = (u - ripple[0]) * frame.rippleScale;
    const double dy = (v - ripple[1]) * frame.rippleScale * frame.verticalFactor;
    const double w = std::sqrt(dx * dx + dy * dy) * ripple[2] + ripple[3];
    sum += std::sin(w) * 0.5 + 0.5;
  }
  double value = sum / frame.rippleCount;
  if (value > 1.0) {
    value = 1.0;
  } else if (!(value >= 0.0)) {
    value = 0.0;  // negative, or not a number
  }
  return value;
}

PointColor ColorForValue(const FieldFrame& frame, double v) {
  // Components a scheme leaves alone stay at the 0 they start each frame with.
  double red = 0.0, green = 0.0, blue = 0.0;
  const double d = std::fabs(v - 0.5);
  switch (frame.colorOption) {
    case 0:  // Sharp Blue Edges
      blue = std::sqrt(2.0 * d);
      green = v > 0.5 ? blue * 0.25 : 0.0;
      break;
    case 1:  // Blue Center
      blue = 1.0 - std::sqrt(2.0 * d);
      break;
    case 2:  // Red Edges
      red = v > 0.5 ? std::sqrt(std::sqrt(d * 0.5)) : std::sqrt(std::sqrt(d * 0.35));
      break;
    case 3:  // Yellow-Green
      red = v < 0.5 ? 0.0 : std::sqrt(2.0 * (v - 0.5));
      green = v < 0.5 ? std::sqrt(1.0 - 2.0 * v) : red;
      break;
    case 4:  // Eggs
      red = v < 0.5 ? std::sqrt(1.0 - 2.0 * v) : std::sqrt(2.0 * (v - 0.5));
      green = red;
      blue = v < 0.5 ? red : 0.0;
      break;
    case 5:  // Clouds
      red = green = 2.0 * d;
      blue = 1.0;
      break;
    case 6:  // Fuzzy Blue Edges
      blue = 2.0 * d;
      break;
    case 7: {  // 3 Random Colors: low, middle and high weights in single precision
      float low = static_cast<float>((1.0 - v) * 2.0 - 1.0);
      const float high = static_cast<float>(1.0 - low);
      if (low < 0.0f) low = 0.0f;
      const float middle = static_cast<float>(1.0 - 2.0 * d);
      const double* c = frame.schemeColor;
      red = c[0] * low + c[1] * middle + c[2] * high;
      green = c[3] * low + c[4] * middle + c[5] * high;
      blue = c[6] * low + c[7] * middle + c[8] * high;
      break;
    }
    default: break;
  }
  return {static_cast<float>(frame.fadeLevel * red), static_cast<float>(frame.fadeLevel * green),
          static_cast<float>(frame.fadeLevel * blue)};
}

PointColor EvaluatePoint(const FieldFrame& frame, uint32_t x, uint32_t y) {
  return ColorForValue(frame, FieldValue(frame, x * frame.invWidth, y * frame.invHeight));
}

uint32_t GridColumns(const FieldFrame& frame) {
  return frame.width == 0 ? 0 : (frame.width - 1) / frame.step + 1;
}

uint32_t GridRows(const FieldFrame& frame) {
  return frame.height == 0 ? 0 : (frame.height - 1) / frame.step + 1;
}

void DrawRippleField() {
  // Multisampled, GL may round wide points into circles (gaps in the grid) and
  // llvmpipe half covers the edge pixels of odd sizes; the grid is meant to be
  // whole squares, so it is drawn single-sampled and the text keeps the samples.
  const bool multisample = glIsEnabled(GL_MULTISAMPLE);
  if (multisample) glDisable(GL_MULTISAMPLE);
  const FieldFrame frame = PrepareFieldFrame();
  glPointSize(static_cast<float>(settings.tesselation));
  if (fieldPath.drawing == FieldDrawing::SimplePoints) {
    DrawSimplePoints(frame);
  } else {
    const bool rectangle =
        fieldPath.drawing == FieldDrawing::Fastest && PixelRectangleMatchesPoints(frame);
    const FieldRows out = GridOutput(frame, rectangle);
    EvaluateField(frame, out, FieldEvaluation::Fastest, fieldPath.threads);
    DrawGrid(frame, out);
  }
  if (multisample) glEnable(GL_MULTISAMPLE);
}
