// fontcheck: checks a glyph atlas written by makefont, as the program reads and draws it.
//
//   fontcheck FONT.bmp
//
// Layout: the exact file format; that each of the codes 33..126 has ink (texels with
// alpha) and every other cell none; and, by following the renderer's texture lookups
// through a box-filtered mipmap chain, that no character ever picks up another cell's
// glyph (its opaque texels) at any text height from 16 to 64 pixels. The translucent
// plate behind the glyphs is the same in every cell and may be read by a neighbour.
//
// Strokes: that the hardest glyphs keep their strokes apart, and that every glyph's
// strokes stand out from what lies around them, as the program draws them
// (StrokeCheck.h).
//
// Exit status 0 when the atlas passes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "text/GlyphAtlas.h"
#include "tools/StrokeCheck.h"

namespace {

constexpr int kSize = 512;
constexpr int kColumns = kAtlasColumns;
constexpr int kRows = kAtlasRows;
constexpr int kCellWidth = kSize / kColumns;
constexpr int kFirstCode = kFirstAtlasCode;
constexpr int kFirstDrawn = 33;
constexpr int kLastDrawn = 126;

int failures = 0;

void Fail(const char* what, int a = 0, int b = 0, int c = 0) {
  if (++failures <= 20) {
    std::printf("FAIL: ");
    std::printf(what, a, b, c);
    std::printf("\n");
  }
}

std::uint32_t Le(const std::vector<std::uint8_t>& bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
  return value;
}

// Alpha of the atlas indexed as the texture sees it: row 0 lies at t = 0,
// the top row of the picture, which is the last row stored in the file.
struct Atlas {
  std::vector<std::uint8_t> alpha;
  std::uint8_t At(int column, int tRow) const {
    return alpha[static_cast<std::size_t>(tRow) * kSize + column];
  }
};

// The renderer's lower t edge of cell row r, rounded to float as it is.
double BandStart(int row) {
  return static_cast<float>(1.0 - (row + 1) / double{kRows} - kBandOffset);
}

int CodeRow(int code) { return (code - kFirstCode) / kColumns; }
int CodeColumn(int code) { return (code - kFirstCode) % kColumns; }

// Every texel with alpha must lie in the sampled band of a printable code's cell.
void CheckInk(const Atlas& atlas) {
  std::vector<bool> inked(std::size_t{kColumns} * kRows, false);
  for (int tRow = 0; tRow < kSize; ++tRow) {
    for (int column = 0; column < kSize; ++column) {
      if (atlas.At(column, tRow) == 0) continue;
      // A texel belongs to the cell row whose sampled band holds it.
      const double top = tRow / double(kSize);
      int row = -1;
      for (int r = 0; r < kRows; ++r) {
        const double start = BandStart(r);
        if (top >= start && (tRow + 1) / double(kSize) <= start + 1 / double{kRows}) row = r;
      }
      if (row < 0) {
        Fail("ink at column %d, t row %d, in no sampled band", column, tRow);
        continue;
      }
      const int cell = row * kColumns + column / kCellWidth;
      const int code = cell + kFirstCode;
      if (code < kFirstDrawn || code > kLastDrawn) {
        Fail("ink at column %d, t row %d, in the cell of code %d, which stays empty", column, tRow,
             code);
      } else {
        inked[cell] = true;
      }
    }
  }
  for (int code = kFirstDrawn; code <= kLastDrawn; ++code) {
    if (!inked[code - kFirstCode]) Fail("code %d has no ink", code);
  }
}

// The level-0 columns (or t rows) that the lookups of one axis touch at
// mipmap level `level`: each fragment centre reads the two nearest texels
// of that level linearly, and a level-L texel is the box of 2^L level-0
// texels below it. Texture coordinates wrap, as the font texture repeats.
std::set<int> Footprint(double start, double span, double pixels, int level) {
  std::set<int> texels;
  const int box = 1 << level;
  const int levelSize = kSize >> level;
  for (int i = 0; i + 0.5 < pixels; ++i) {
    const double coordinate = start + span * (i + 0.5) / pixels;
    const int first = static_cast<int>(std::floor(coordinate * levelSize - 0.5));
    for (int t = first; t <= first + 1; ++t) {
      const int wrapped = ((t % levelSize) + levelSize) % levelSize;
      for (int k = 0; k < box; ++k) texels.insert(wrapped * box + k);
    }
  }
  return texels;
}

void CheckSampling(const Atlas& atlas) {
  for (int height = 16; height <= 64; ++height) {
    const double width = height * double{kCellWidthFactor};
    // Texels per pixel are the same along both axes; allow either mipmap
    // level an implementation may round lambda to.
    const double lambda = std::log2(kSize / 8.0 / height);
    std::set<int> levels{0};
    if (lambda > 0)
      levels = {static_cast<int>(std::floor(lambda)), static_cast<int>(std::ceil(lambda))};
    for (int level : levels) {
      for (int code = kFirstCode; code < kFirstCode + kColumns * kRows; ++code) {
        const int column = CodeColumn(code);
        const int row = CodeRow(code);
        const double tStart = BandStart(row);
        const std::set<int> columns =
            Footprint(column / double{kColumns}, 1 / double{kColumns}, width, level);
        const std::set<int> tRows = Footprint(tStart, 1 / double{kRows}, height, level);
        const bool drawn = code >= kFirstDrawn && code <= kLastDrawn;
        for (int x : columns) {
          for (int t : tRows) {
            if (atlas.At(x, t) != 255) continue;  // nothing, or the plate
            // Its own glyph's texels are the ones inside its cell's columns
            // and wholly inside its band.
            const bool own = drawn && x / kCellWidth == column && t >= tStart * kSize &&
                             t + 1 <= (tStart + 1 / double{kRows}) * kSize;
            if (!own) {
              Fail("code %d at height %d reads another glyph at column %d", code, height, x);
            }
          }
        }
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FONT.bmp\n", argc > 0 ? argv[0] : "fontcheck");
    return 2;
  }
  std::FILE* file = std::fopen(argv[1], "rb");
  if (!file) {
    std::perror(argv[1]);
    return 1;
  }
  std::vector<std::uint8_t> bytes;
  std::uint8_t chunk[65536];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
    bytes.insert(bytes.end(), chunk, chunk + n);
  }
  std::fclose(file);

  constexpr std::size_t kPixelBytes = std::size_t{kSize} * kSize * 4;
  if (bytes.size() != 54 + kPixelBytes) {
    std::printf("FAIL: file is %zu bytes, not %zu\n", bytes.size(), 54 + kPixelBytes);
    return 1;
  }
  const struct {
    std::size_t at;
    int count;
    std::uint32_t value;
    const char* name;
  } fields[] = {
      {0, 1, 'B', "signature"},
      {1, 1, 'M', "signature"},
      {2, 4, 54 + kPixelBytes, "file size"},
      {10, 4, 54, "pixel offset"},
      {14, 4, 40, "info header size"},
      {18, 4, kSize, "width"},
      {22, 4, kSize, "height (bottom-up)"},
      {26, 2, 1, "planes"},
      {28, 2, 32, "bits per pixel"},
      {30, 4, 0, "compression"},
  };
  for (const auto& field : fields) {
    if (Le(bytes, field.at, field.count) != field.value) {
      std::printf("FAIL: header field %s is %u, not %u\n", field.name,
                  Le(bytes, field.at, field.count), field.value);
      return 1;
    }
  }

  Atlas atlas;
  atlas.alpha.resize(std::size_t{kSize} * kSize);
  for (int fileRow = 0; fileRow < kSize; ++fileRow) {
    const int tRow = kSize - 1 - fileRow;  // stored bottom-up
    for (int column = 0; column < kSize; ++column) {
      atlas.alpha[std::size_t(tRow) * kSize + column] =
          bytes[54 + (std::size_t(fileRow) * kSize + column) * 4 + 3];
    }
  }

  CheckInk(atlas);
  CheckSampling(atlas);
  failures += CheckStrokes(argv[1]);
  if (failures > 0) {
    std::printf("%d failures\n", failures);
    return 1;
  }
  std::printf("atlas ok\n");
  return 0;
}
