// The reference arithmetic, point by point.
#include "sim/FieldReference.h"

#include <cmath>
#include <cstddef>

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
  switch (frame.colorOption) {  // in the order of kSchemeNames
    case 0:
      blue = std::sqrt(2.0 * d);
      green = v > 0.5 ? blue * 0.25 : 0.0;
      break;
    case 1: blue = 1.0 - std::sqrt(2.0 * d); break;
    case 2: red = v > 0.5 ? std::sqrt(std::sqrt(d * 0.5)) : std::sqrt(std::sqrt(d * 0.35)); break;
    case 3:
      red = v < 0.5 ? 0.0 : std::sqrt(2.0 * (v - 0.5));
      green = v < 0.5 ? std::sqrt(1.0 - 2.0 * v) : red;
      break;
    case 4:
      red = v < 0.5 ? std::sqrt(1.0 - 2.0 * v) : std::sqrt(2.0 * (v - 0.5));
      green = red;
      blue = v < 0.5 ? red : 0.0;
      break;
    case 5:
      red = green = 2.0 * d;
      blue = 1.0;
      break;
    case 6: blue = 2.0 * d; break;
    case 7: {  // low, middle and high weights in single precision
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
