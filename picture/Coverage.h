// Which grid point GL leaves on each pixel of the window: the point squares, each
// `step` wide and starting step / 2 (rounded down) before its point, the rows
// squeezed into the letterbox's band, and where squares overlap, the later row.
// Every painter that places the points itself goes by it.
#pragma once

#include <cstdint>
#include <vector>

#include "picture/Picture.h"

struct Coverage {
  std::vector<int32_t> columns;  // each window column's grid column, or -1 where none lies
  std::vector<int32_t> rows;     // each window row's grid row, counted upward, or -1
};
Coverage CoverageOf(const Picture& picture);
