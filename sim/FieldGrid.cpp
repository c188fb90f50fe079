// One set of buffers for the whole run; only a new grid size resizes them.
#include "sim/FieldGrid.h"

#include <cstddef>
#include <vector>

namespace {
struct GridBuffers {
  std::vector<float> rgb;
  std::vector<uint32_t> rgba;
};
GridBuffers grid;
}  // namespace

FieldRows GridOutput(const FieldFrame& frame, bool bytes) {
  FieldRows out;
  out.columns = GridColumns(frame);
  const size_t count = static_cast<size_t>(out.columns) * GridRows(frame);
  if (bytes) {
    if (grid.rgba.size() != count) grid.rgba.resize(count);
    out.rgba = grid.rgba.data();
  } else {
    if (grid.rgb.size() != 3 * count) grid.rgb.resize(3 * count);
    out.rgb = grid.rgb.data();
  }
  return out;
}
