// Each grid point's square is filled once: a row of squares is written a pixel at
// a time, then copied to every window row the coverage gives that grid row. On a
// frame that is not cleared, what no square covers keeps the frame before.
#include "painters/image/ImagePainter.h"

#include <algorithm>
#include <cstring>

#include "app/FontPath.h"
#include "image/Image.h"
#include "picture/Coverage.h"
#include "picture/PointColours.h"
#include "sim/FieldPath.h"

namespace {
uint32_t Word(uint8_t red, uint8_t green, uint8_t blue) {
  return kOpaqueBlack | uint32_t{red} << 16 | uint32_t{green} << 8 | blue;
}
}  // namespace

void ImagePainter::Start(const Picture&) {
  Image atlas;
  LoadFontImage(&atlas);  // left empty where none loads
  LoadAtlas(atlas);
}

bool ImagePainter::LoadAtlas(const Image& atlas) { return text_.SetAtlas(atlas); }

void ImagePainter::ColourPoints(const Picture& picture) {
  const size_t count = static_cast<size_t>(GridColumns(picture.field)) * GridRows(picture.field);
  const uint32_t* rgba = PointColours(picture, fieldPath.threads);  // bytes R, G, B, A
  colours_.resize(count);
  for (size_t i = 0; i < count; ++i)
    colours_[i] = Word(rgba[i] & 0xff, rgba[i] >> 8 & 0xff, rgba[i] >> 16 & 0xff);
}

void ImagePainter::Paint(const Picture& picture) {
  const PixelImage image = target_.Picture();
  if (image.pixels == nullptr) return;
  if (picture.clear) ClearNow();
  ColourPoints(picture);
  const Coverage coverage = CoverageOf(picture);
  const int width = std::min(image.width, static_cast<int>(coverage.columns.size()));
  const int height = std::min(image.height, static_cast<int>(coverage.rows.size()));
  // The columns a square covers run from the window's left edge, a square at a time.
  const int covered =
      static_cast<int>(std::find(coverage.columns.begin(), coverage.columns.begin() + width, -1) -
                       coverage.columns.begin());
  line_.resize(static_cast<size_t>(covered));
  const uint32_t gridColumns = GridColumns(picture.field);
  int32_t lineRow = -1;  // the grid row line_ holds
  for (int g = 0; g < height; ++g) {
    const int32_t r = coverage.rows[static_cast<size_t>(g)];
    if (r < 0) continue;
    if (r != lineRow) {
      const uint32_t* points = &colours_[static_cast<size_t>(r) * gridColumns];
      for (int x = 0; x < covered; ++x) line_[static_cast<size_t>(x)] = points[coverage.columns[x]];
      lineRow = r;
    }
    std::memcpy(image.Row(image.height - 1 - g), line_.data(), line_.size() * sizeof(uint32_t));
  }
  for (const TextRun& run : picture.text) text_.Blend(image, run);
}

void ImagePainter::DrawNow(const TextRun& run) {
  const PixelImage image = target_.Picture();
  if (image.pixels != nullptr) text_.Blend(image, run);
}

void ImagePainter::ClearNow() {
  const PixelImage image = target_.Picture();
  for (int y = 0; y < image.height; ++y) std::fill_n(image.Row(y), image.width, kOpaqueBlack);
}
