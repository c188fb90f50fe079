// GLU's box filter: each texel of the next level the rounded mean of four, a
// side of 1 halving no further.
#include "image/Mipmaps.h"

#include <utility>

#include "image/Image.h"

namespace {
bool PowerOfTwo(uint32_t n) { return n != 0 && (n & (n - 1)) == 0; }

MipLevel Halved(const MipLevel& level) {
  MipLevel half;
  half.width = level.width > 1 ? level.width / 2 : 1;
  half.height = level.height > 1 ? level.height / 2 : 1;
  half.rgba.resize(static_cast<size_t>(half.width) * half.height * 4);
  const int dx = level.width > 1 ? 1 : 0;
  const int dy = level.height > 1 ? 1 : 0;
  for (int row = 0; row < half.height; ++row) {
    for (int column = 0; column < half.width; ++column) {
      const uint8_t* a = level.Texel(2 * column, 2 * row);
      const uint8_t* b = level.Texel(2 * column + dx, 2 * row);
      const uint8_t* c = level.Texel(2 * column, 2 * row + dy);
      const uint8_t* d = level.Texel(2 * column + dx, 2 * row + dy);
      uint8_t* out = &half.rgba[(static_cast<size_t>(row) * half.width + column) * 4];
      for (int k = 0; k < 4; ++k)
        out[k] = static_cast<uint8_t>((a[k] + b[k] + c[k] + d[k] + 2) / 4);
    }
  }
  return half;
}
}  // namespace

std::vector<MipLevel> MipmapLevels(const Image& image) {
  const uint32_t bytes = image.bitsPerPixel() / 8;
  if ((bytes != 1 && bytes != 3 && bytes != 4) || !PowerOfTwo(image.width()) ||
      !PowerOfTwo(image.height()) || image.pixels() == nullptr) {
    return {};
  }
  MipLevel level{static_cast<int>(image.width()), static_cast<int>(image.height()), {}};
  const size_t count = static_cast<size_t>(image.width()) * image.height();
  level.rgba.resize(count * 4);
  const uint8_t* from = image.pixels();
  for (size_t i = 0; i < count; ++i, from += bytes) {
    uint8_t* to = &level.rgba[i * 4];
    to[0] = from[0];
    to[1] = from[bytes == 1 ? 0 : 1];
    to[2] = from[bytes == 1 ? 0 : 2];
    to[3] = bytes == 4 ? from[3] : 255;
  }
  std::vector<MipLevel> levels;
  levels.push_back(std::move(level));
  while (levels.back().width > 1 || levels.back().height > 1)
    levels.push_back(Halved(levels.back()));
  return levels;
}
