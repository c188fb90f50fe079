// GL's sampling done by hand over the atlas' mipmap levels (image/Mipmaps.h):
// GL_LINEAR_MIPMAP_NEAREST's choice of level, bilinear filtering with repeat,
// and SRC_ALPHA, ONE_MINUS_SRC_ALPHA blending in bytes.
#include "painters/image/ImageText.h"

#include <algorithm>
#include <cmath>

#include "image/Image.h"

namespace {
// The level GL_LINEAR_MIPMAP_NEAREST samples for a cell: the nearest to log2
// of the texels a pixel spans (GL's lambda).
const MipLevel& LevelFor(const std::vector<MipLevel>& levels, const GlyphQuad& q) {
  const double across = static_cast<double>(levels[0].width) * (q.s1 - q.s0) / q.width;
  const double up = static_cast<double>(levels[0].height) * (q.t1 - q.t0) / q.height;
  const double lambda = std::log2(std::max(across, up));
  if (lambda <= 0.5) return levels[0];
  const auto nearest = static_cast<size_t>(std::ceil(lambda + 0.5) - 1);
  return levels[std::min(nearest, levels.size() - 1)];
}

// One channel blended: source over destination by alpha, in bytes.
uint32_t Over(uint32_t source, uint32_t destination, uint32_t alpha) {
  return (source * alpha + destination * (255 - alpha) + 127) / 255;
}

// The filtered texel at (s, t), RGBA as 0..255 values.
void Sample(const MipLevel& level, float s, float t, float rgba[4]) {
  const float u = s * static_cast<float>(level.width) - 0.5f;
  const float v = t * static_cast<float>(level.height) - 0.5f;
  const float u0 = std::floor(u), v0 = std::floor(v);
  const float a = u - u0, b = v - v0;
  const int i = static_cast<int>(u0), j = static_cast<int>(v0);
  const uint8_t* t00 = level.Texel(i, j);
  const uint8_t* t10 = level.Texel(i + 1, j);
  const uint8_t* t01 = level.Texel(i, j + 1);
  const uint8_t* t11 = level.Texel(i + 1, j + 1);
  for (int k = 0; k < 4; ++k) {
    const float bottom = static_cast<float>(t00[k]) + a * static_cast<float>(t10[k] - t00[k]);
    const float top = static_cast<float>(t01[k]) + a * static_cast<float>(t11[k] - t01[k]);
    rgba[k] = bottom + b * (top - bottom);
  }
}

// The pixels whose centres lie in [from, to): GL's rule for a quad's edges.
void Covered(float from, float to, int limit, int* first, int* end) {
  *first = std::max(0, static_cast<int>(std::ceil(from - 0.5f)));
  *end = std::min(limit, static_cast<int>(std::ceil(to - 0.5f)));
}

// One cell's quad, blended pixel by pixel.
void BlendCell(const PixelImage& image, const std::vector<MipLevel>& levels, const GlyphQuad& q) {
  int x0 = 0, x1 = 0, g0 = 0, g1 = 0;
  Covered(q.left, q.left + q.width, image.width, &x0, &x1);
  Covered(q.bottom, q.bottom + q.height, image.height, &g0, &g1);
  const MipLevel* level = levels.empty() ? nullptr : &LevelFor(levels, q);
  for (int g = g0; g < g1; ++g) {
    uint32_t* row = image.Row(image.height - 1 - g);  // GL's rows count upward
    const float t = q.t0 + (static_cast<float>(g) + 0.5f - q.bottom) / q.height * (q.t1 - q.t0);
    for (int x = x0; x < x1; ++x) {
      float rgba[4] = {255.0f, 255.0f, 255.0f, 255.0f};
      if (level != nullptr) {
        const float s = q.s0 + (static_cast<float>(x) + 0.5f - q.left) / q.width * (q.s1 - q.s0);
        Sample(*level, s, t, rgba);
      }
      uint32_t source[4];
      for (int k = 0; k < 4; ++k) source[k] = static_cast<uint32_t>(std::lround(rgba[k]));
      const uint32_t old = row[x];
      row[x] = kOpaqueBlack | Over(source[0], old >> 16 & 255, source[3]) << 16 |
               Over(source[1], old >> 8 & 255, source[3]) << 8 |
               Over(source[2], old & 255, source[3]);
    }
  }
}
}  // namespace

bool ImageText::SetAtlas(const Image& atlas) {
  levels_ = MipmapLevels(atlas);
  return !levels_.empty();
}

void ImageText::Blend(const PixelImage& image, const TextRun& run) const {
  for (const GlyphQuad& quad : run.glyphs) BlendCell(image, levels_, quad);
}
