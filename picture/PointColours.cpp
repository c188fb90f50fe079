// Unlit, the kernels' bytes as they are; lit, their float colours taken as the
// points' material, as GL's point arrays give them to colour material.
#include "picture/PointColours.h"

#include <cstddef>
#include <vector>

#include "sim/FieldGrid.h"

namespace {
std::vector<uint32_t> lit;  // the lit points, reused frame to frame
}

const uint32_t* PointColours(const Picture& picture, int threads) {
  const FieldFrame& frame = picture.field;
  const FieldRows rows = GridOutput(frame, !picture.light.has_value());
  EvaluateField(frame, rows, FieldEvaluation::Fastest, threads);
  if (!picture.light.has_value()) return rows.rgba;
  const uint32_t columns = rows.columns;
  const size_t count = static_cast<size_t>(columns) * GridRows(frame);
  lit.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const size_t row = i / columns, column = i % columns;  // the point's place in the grid
    const auto x = static_cast<float>(column * frame.step);
    const auto y = static_cast<float>(row * frame.step);
    float rgb[3];
    LightPoint(*picture.light, x, y, &rows.rgb[3 * i], rgb);
    lit[i] = uint32_t{StoredByte(rgb[0])} | uint32_t{StoredByte(rgb[1])} << 8 |
             uint32_t{StoredByte(rgb[2])} << 16 | 0xff000000u;
  }
  return lit.data();
}
