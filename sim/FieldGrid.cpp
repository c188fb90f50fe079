// One set of buffers for the whole run; only a new grid size resizes them.
#include "sim/FieldGrid.h"

#include <cstddef>
#include <vector>

namespace {
struct GridBuffers {
  uint32_t columns = 0, rows = 0, step = 0;  // the grid `vertices` holds
  std::vector<GLfloat> vertices;
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

const GLfloat* GridVertices(uint32_t columns, uint32_t rows, uint32_t step) {
  const size_t count = static_cast<size_t>(columns) * rows;
  if (grid.columns == columns && grid.rows == rows && grid.step == step &&
      grid.vertices.size() == 2 * count) {
    return grid.vertices.data();
  }
  grid.vertices.resize(2 * count);
  GLfloat* v = grid.vertices.data();
  for (uint32_t row = 0; row < rows; ++row) {
    for (uint32_t column = 0; column < columns; ++column) {
      *v++ = static_cast<GLfloat>(column * step);
      *v++ = static_cast<GLfloat>(row * step);
    }
  }
  grid.columns = columns;
  grid.rows = rows;
  grid.step = step;
  return grid.vertices.data();
}
