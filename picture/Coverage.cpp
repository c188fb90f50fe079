// The columns are the window's own pixels; a row's place is worked out as GL
// transforms a point: the projection over the window's height, then the band's
// viewport, in floats, snapped to the rasteriser's 1/256 of a pixel.
#include "picture/Coverage.h"

#include <algorithm>
#include <cmath>

namespace {
// The window rows, counted upward, whose centres lie within the square of a point
// of side `step` at grid height y.
void PointRows(uint32_t y, uint32_t step, const LetterboxBand& band, int height, int* first,
               int* end) {
  const float scale = 2.0f / static_cast<float>(height);
  const float clip = static_cast<float>(y) * scale - 1.0f;
  const float half = static_cast<float>(band.height) * 0.5f;
  const float centre =
      std::round((clip * half + (static_cast<float>(band.bottom) + half)) * 256.0f) / 256.0f;
  const float size = static_cast<float>(step) * 0.5f;
  *first = static_cast<int>(std::floor(centre - size - 0.5f)) + 1;
  *end = static_cast<int>(std::floor(centre + size - 0.5f)) + 1;
}
}  // namespace

Coverage CoverageOf(const Picture& picture) {
  Coverage coverage;
  const int width = std::max(picture.width, 0), height = std::max(picture.height, 0);
  coverage.columns.assign(static_cast<size_t>(width), -1);
  coverage.rows.assign(static_cast<size_t>(height), -1);
  const uint32_t step = picture.field.step;
  const auto back = static_cast<int>(step / 2);
  const auto side = static_cast<int>(step);
  for (uint32_t c = 0; c < GridColumns(picture.field); ++c) {
    const int from = std::max(static_cast<int>(c) * side - back, 0);
    const int to = std::min(static_cast<int>(c) * side - back + side, width);
    std::fill(coverage.columns.begin() + from, coverage.columns.begin() + std::max(from, to),
              static_cast<int32_t>(c));
  }
  for (uint32_t r = 0; r < GridRows(picture.field); ++r) {
    int first = 0, end = 0;
    PointRows(r * step, step, picture.band, height, &first, &end);
    first = std::max(first, 0);
    end = std::min(end, height);
    // Drawn row by row upward: a later row lies over an earlier one.
    for (int g = first; g < end; ++g)
      coverage.rows[static_cast<size_t>(g)] = static_cast<int32_t>(r);
  }
  return coverage;
}
