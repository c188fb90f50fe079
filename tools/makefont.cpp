// makefont: renders a TrueType font into Wendrix's glyph atlas, font.bmp.
//
//   makefont FONT.ttf OUT.bmp
//
// The atlas is a 512 x 512 32-bit BMP of 16 x 8 cells, 32 texels wide and
// 64 tall, holding codes 32..159 in code order. Glyphs are white with their
// coverage as alpha; every other texel is white with alpha 0, so that linear
// filtering never pulls a dark fringe into the text.
//
// The program uploads the picture's top row at t = 0 and draws a cell's
// lower t edge at the bottom of the character, so the sheet is stored
// mirrored top to bottom: as a picture, codes 32..47 run along the bottom
// eighth and every glyph stands upside down. A bottom-up BMP gives that for
// free: its first stored row is the picture's bottom row, so the rows are
// written in the order of an upright sheet, top to bottom.
//
// The renderer samples each cell row 1% of the image height (5.12 texels)
// below its nominal cell, and small text is read from mipmap levels 1 and 2
// (2 x 2 and 4 x 4 boxes). Every glyph is therefore kept well inside the
// band that is really sampled, so that no neighbour's ink can leak into any
// character; the tool refuses to write an atlas that breaks that rule.

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_OUTLINE_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kAtlasSize = 512;
constexpr int kColumns = 16;
constexpr int kRows = 8;
constexpr int kCellWidth = kAtlasSize / kColumns;  // 32
constexpr int kCellHeight = kAtlasSize / kRows;    // 64
constexpr int kFirstCode = 32;
constexpr int kFirstDrawn = 33;  // the space is never drawn; its cell stays empty
constexpr int kLastDrawn = 126;  // 127..159 have no printable shape and stay empty

// Texels per em. The height makes the font's own advance about 90% of the
// cell width, matching the 0.45 x height pen advance against 0.5 x height
// cells; the width is condensed so that the widest glyphs ('W', 'M', '_')
// still clear the 4 outer columns that a 4 x 4 mipmap box reaches into.
constexpr int kEmHeight = 48;
constexpr int kEmWidth = 39;

// Baseline, in texel rows below the top of the upright cell. With the
// DejaVu Sans Mono outlines at 48 texels per em this spans '`' at the top
// (row 12.6) down to '_' and '|' at the bottom (row 62.3).
constexpr int kBaseline = 51;

// Where ink may go inside a cell, upright rows measured from the top of the
// nominal cell. The sampled band starts 5.12 rows down and ends 5.12 rows
// past the cell; a mip level 2 footprint reaches at most 5.12 rows beyond
// it, so 6 rows of margin on either side keep neighbours apart.
constexpr int kInkLeft = 4;     // a level-2 texel spans 4 columns
constexpr int kInkRight = 28;   // exclusive
constexpr int kInkTop = 12;     // first row wholly 6 rows inside the band
constexpr int kInkBottom = 63;  // exclusive

struct FreeTypeSession {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~FreeTypeSession() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

void PutLe16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xff));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xff));
}

void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  PutLe16(out, value & 0xffff);
  PutLe16(out, value >> 16);
}

// Draws one glyph into the upright alpha sheet; false (with a message) when
// FreeType fails or the ink would leave the cell's safe area.
bool RenderGlyph(FT_Face face, int code, std::vector<std::uint8_t>& alpha) {
  const FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
  if (index == 0) {
    std::fprintf(stderr, "makefont: the font has no glyph for code %d\n", code);
    return false;
  }
  // Unhinted outlines: the atlas is minified about 3x on screen, so grid
  // fitting buys nothing, and the bytes then do not hang on the hinter.
  const FT_Int32 flags = FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;
  FT_Fixed advance = 0;  // 16.16 for unhinted loads
  if (FT_Get_Advance(face, index, flags, &advance) != 0 || FT_Load_Glyph(face, index, flags) != 0 ||
      face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
    std::fprintf(stderr, "makefont: cannot load the outline of code %d\n", code);
    return false;
  }

  // Centre the advance box in the cell, to 1/64 texel: the fraction goes
  // into the outline, the whole texels into the placement below.
  const long advance26 = (advance + 512) >> 10;
  const long pen26 = kCellWidth * 32L - advance26 / 2;
  const long penWhole = pen26 >> 6;
  FT_Outline_Translate(&face->glyph->outline, pen26 & 63, 0);
  if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
    std::fprintf(stderr, "makefont: cannot render code %d\n", code);
    return false;
  }
  const FT_Bitmap& bitmap = face->glyph->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.num_grays != 256) {
    std::fprintf(stderr, "makefont: unexpected bitmap format for code %d\n", code);
    return false;
  }

  const int cell = code - kFirstCode;
  const int cellLeft = (cell % kColumns) * kCellWidth;
  const int cellTop = (cell / kColumns) * kCellHeight;
  const int left = static_cast<int>(penWhole) + face->glyph->bitmap_left;
  const int top = kBaseline - face->glyph->bitmap_top;
  for (unsigned y = 0; y < bitmap.rows; ++y) {
    const unsigned char* src = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
    for (unsigned x = 0; x < bitmap.width; ++x) {
      const std::uint8_t coverage = src[x];
      if (coverage == 0) continue;
      const int cx = left + static_cast<int>(x);
      const int cy = top + static_cast<int>(y);
      if (cx < kInkLeft || cx >= kInkRight || cy < kInkTop || cy >= kInkBottom) {
        std::fprintf(stderr,
                     "makefont: code %d has ink at cell texel (%d, %d), outside its "
                     "safe area\n",
                     code, cx, cy);
        return false;
      }
      alpha[static_cast<std::size_t>(cellTop + cy) * kAtlasSize + cellLeft + cx] = coverage;
    }
  }
  return true;
}

std::vector<std::uint8_t> EncodeBmp(const std::vector<std::uint8_t>& alpha) {
  constexpr std::uint32_t kHeaderBytes = 14 + 40;
  constexpr std::uint32_t kPixelBytes = kAtlasSize * kAtlasSize * 4;
  std::vector<std::uint8_t> out;
  out.reserve(kHeaderBytes + kPixelBytes);
  out.push_back('B');
  out.push_back('M');
  PutLe32(out, kHeaderBytes + kPixelBytes);  // file size
  PutLe32(out, 0);                           // reserved
  PutLe32(out, kHeaderBytes);                // pixel data offset
  PutLe32(out, 40);                          // BITMAPINFOHEADER size
  PutLe32(out, kAtlasSize);                  // width
  PutLe32(out, kAtlasSize);                  // height, positive: bottom-up rows
  PutLe16(out, 1);                           // planes
  PutLe16(out, 32);                          // bits per pixel
  PutLe32(out, 0);                           // BI_RGB, uncompressed
  PutLe32(out, kPixelBytes);
  PutLe32(out, 2835);  // 72 dpi, both ways
  PutLe32(out, 2835);
  PutLe32(out, 0);  // colours used
  PutLe32(out, 0);  // important colours
  // Stored rows are the upright sheet from its top row down; see above.
  for (std::uint8_t a : alpha) {
    out.push_back(255);
    out.push_back(255);
    out.push_back(255);
    out.push_back(a);
  }
  return out;
}

bool WriteFile(const char* path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(path, "wb");
  if (!file) {
    std::perror(path);
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    std::fprintf(stderr, "makefont: cannot write %s\n", path);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr,
                 "usage: %s FONT.ttf OUT.bmp\n"
                 "Renders codes 33..126 of FONT.ttf into the 512x512 glyph atlas OUT.bmp.\n",
                 argc > 0 ? argv[0] : "makefont");
    return 2;
  }

  FreeTypeSession ft;
  if (FT_Init_FreeType(&ft.library) != 0) {
    std::fprintf(stderr, "makefont: cannot initialise FreeType\n");
    return 1;
  }
  if (FT_New_Face(ft.library, argv[1], 0, &ft.face) != 0) {
    std::fprintf(stderr, "makefont: cannot open font %s\n", argv[1]);
    return 1;
  }
  if (!FT_IS_SCALABLE(ft.face)) {
    std::fprintf(stderr, "makefont: %s is not a scalable font\n", argv[1]);
    return 1;
  }
  // At 72 dpi a point is a texel.
  if (FT_Set_Char_Size(ft.face, kEmWidth * 64, kEmHeight * 64, 72, 72) != 0) {
    std::fprintf(stderr, "makefont: cannot set the glyph size\n");
    return 1;
  }

  std::vector<std::uint8_t> alpha(static_cast<std::size_t>(kAtlasSize) * kAtlasSize, 0);
  for (int code = kFirstDrawn; code <= kLastDrawn; ++code) {
    if (!RenderGlyph(ft.face, code, alpha)) return 1;
  }
  return WriteFile(argv[2], EncodeBmp(alpha)) ? 0 : 1;
}
