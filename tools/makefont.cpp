// makefont: draws Wendrix's glyph atlas, font.bmp, from a TrueType font.
//
//   makefont FONT.ttf OUT.bmp
//
// The atlas is a 512 x 512 32-bit BMP of 16 x 8 cells holding codes 32..159
// in code order. Text is drawn 18, 20 and 30 pixels tall; through the
// texture's box-filtered mipmap chain the renderer then reads level 2 of
// the atlas (18 and 20 pixels: 8 x 16 texels a cell, 0.8 to 0.9 texels a
// pixel) or level 1 (30 pixels). So every glyph is designed as a bitmap of
// that 8 x 16 grid and stored as 4 x 4 blocks of equal texels: level 2 is
// then exactly the design and level 1 its 2x copy, with no grey mush where
// strokes lie close together.
//
// A design is the font's hinted monochrome rendering at 7 x 11 pixels an
// em, or a drawing below where the hinter runs strokes together at that
// size (m, w, M, W, #, ...) or draws the hyphen as a dot. Strokes are white
// and every texel next to a stroke is black, both opaque. Behind them lies
// a translucent black plate over the glyph's rows, from side to side of the
// cell, so that white strokes stand out over the light parts of a picture
// too (a white outline-only glyph vanished there, and the eye read its
// outline instead); over dark parts the plate hardly shows. Characters
// overlap their neighbours by a pixel or two (the advance is 0.45 of the
// height, the cell 0.5), so the plate's side columns are lighter: two of
// them over each other are as dark as the plate, and the plates of a word
// join into one without darker seams; the help page's lines join the same
// way. A space draws nothing, so each word sits on a plate of its own.
//
// Where ink may go. Each character's quad samples its cell 1% of the atlas
// height (1.28 design rows) below the cell, so its bottom pixel row reads
// the two top rows of the cell below it in the atlas: those hold no glyph,
// only (the top one) the foot of the plate above. Linear filtering at the
// quad's sides reads the neighbouring cells' edge columns: those hold only
// the plate's side, the same in every cell, never a stroke or its outline.
// So no character ever shows a piece of another's glyph. That leaves 6 x 14 texels for a
// glyph and its outline, too narrow for three strokes, two gaps and an
// outline on both sides; so w, M and W keep their outline on the right
// only, and the few drawings that need all six columns (m's among them) have
// none at their sides (the plate's dark side takes its place). Their gaps between strokes
// are outline all the same. fontcheck checks the layout and how the
// strokes come out on screen.
//
// The program uploads the picture's top row at t = 0 and draws a cell's
// lower t edge at the bottom of the character, so the sheet is stored
// mirrored top to bottom: as a picture, codes 32..47 run along the bottom
// eighth and every glyph stands upside down. A bottom-up BMP gives that for
// free: its first stored row is the picture's bottom row, so the rows are
// written in the order of an upright sheet, top to bottom.

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "text/GlyphAtlas.h"
#include "tools/GlyphDrawings.h"

namespace {

constexpr int kAtlasSize = 512;
constexpr int kColumns = kAtlasColumns;
constexpr int kRows = kAtlasRows;
constexpr int kBlock = 4;  // atlas texels a design texel spans, so that level 2 is the design
constexpr int kCellWidth = kAtlasSize / kColumns / kBlock;  // 8 design texels
constexpr int kCellHeight = kAtlasSize / kRows / kBlock;    // 16
constexpr int kFirstCode = kFirstAtlasCode;
constexpr int kFirstDrawn = 33;  // the space is never drawn; its cell stays empty
constexpr int kLastDrawn = 126;  // 127..159 have no printable shape and stay empty

// Where strokes may go, in upright design rows and columns of a cell; the
// outline may take one texel more above and below: rows 2..15.
constexpr int kStrokeLeft = 1;
constexpr int kStrokeRight = 7;  // exclusive
constexpr int kStrokeTop = 3;
constexpr int kStrokeBottom = 15;  // exclusive
constexpr int kStrokeColumns = kStrokeRight - kStrokeLeft;
// A quad reads this far into the top of the cell below its own (1.28 design
// rows), where only the plate's foot lies: the outline above the strokes stays clear of it.
static_assert(kBandOffset * kAtlasSize / kBlock < kStrokeTop - 1);
constexpr int kStrokeRows = kStrokeBottom - kStrokeTop;

// Pixels an em, and the design row just below the baseline: DejaVu Sans
// Mono then reaches from row 3 (brackets, accents) to row 14 ('_').
constexpr int kEmWidth = 7;
constexpr int kEmHeight = 11;
constexpr int kBaseline = 12;

// The drawings' stroke area is the cell's.
static_assert(kDrawnColumns == kStrokeColumns && kDrawnRows == kStrokeRows);

// What a design texel holds: nothing, a stroke, a stroke over its right or
// left three quarters (outline over the rest), its outline, the plate behind
// the glyph, or the plate's side (a cell's first and last column).
enum Texel : std::uint8_t {
  kEmpty,
  kStroke,
  kStrokeOnRight,
  kStrokeOnLeft,
  kOutline,
  kPlate,
  kPlateSide
};

bool HasStroke(Texel texel) {
  return texel == kStroke || texel == kStrokeOnRight || texel == kStrokeOnLeft;
}

// The plate's opacity, out of 255: over a white field it leaves 75, a
// contrast of 8.7 : 1 with the strokes, and over the picture's light parts
// it still lets their colour through. A lighter plate (110 to 150) looked
// thinner but read worse: tesseract misread more of the help page over
// schemes 3, 4, 5 and 7 (measured with tests/ocr, 2026-12-07). Where two
// characters overlap, their sides over each other give the plate's own
// opacity: 1 - (1 - 180/255)^(1/2) = 0.46 of full.
constexpr std::uint8_t kPlateAlpha = 180;
constexpr std::uint8_t kPlateSideAlpha = 117;
using Cell = std::array<std::array<Texel, kCellWidth>, kCellHeight>;

struct FreeTypeSession {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~FreeTypeSession() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

// Copies code's drawing into the cell's stroke area; false if none is drawn.
bool PlaceDrawn(int code, Cell& cell) {
  for (const DrawnSheet& sheet : kDrawn) {
    const char* at = std::strchr(sheet.codes, code);
    if (at == nullptr) continue;
    const long offset = (at - sheet.codes) * (kDrawnColumns + 1);
    for (int y = 0; y < kStrokeRows; ++y) {
      for (int x = 0; x < kStrokeColumns; ++x) {
        const char drawn = sheet.rows[y][offset + x];
        Texel& texel = cell[kStrokeTop + y][kStrokeLeft + x];
        if (drawn == '#') texel = kStroke;
        if (drawn == '>') texel = kStrokeOnRight;
        if (drawn == '<') texel = kStrokeOnLeft;
      }
    }
    return true;
  }
  return false;
}

// Renders one glyph monochrome with the font's hinting, its ink box centred
// in the stroke area's width and standing on the baseline; false (with a
// message) when FreeType fails or the glyph does not fit.
bool PlaceRendered(FT_Face face, int code, Cell& cell) {
  if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0 ||
      face->glyph->bitmap.pixel_mode != FT_PIXEL_MODE_MONO) {
    std::fprintf(stderr, "makefont: cannot render code %d\n", code);
    return false;
  }
  const FT_Bitmap& bitmap = face->glyph->bitmap;
  const int width = static_cast<int>(bitmap.width);
  const int left = kStrokeLeft + (kStrokeColumns - width) / 2;
  const int top = kBaseline - face->glyph->bitmap_top;
  if (width > kStrokeColumns || top < kStrokeTop ||
      top + static_cast<int>(bitmap.rows) > kStrokeBottom) {
    std::fprintf(stderr, "makefont: code %d does not fit its cell\n", code);
    return false;
  }
  for (unsigned y = 0; y < bitmap.rows; ++y) {
    const unsigned char* bits = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
    for (unsigned x = 0; x < bitmap.width; ++x) {
      if ((bits[x / 8] >> (7 - x % 8) & 1) != 0) cell[top + y][left + x] = kStroke;
    }
  }
  return true;
}

// Outlines the strokes: every empty texel of the stroke columns, one row
// above to one row below the stroke rows, that touches a stroke (diagonals
// included); then lays the plate under the rest of those rows, from the
// cell's first column to its last.
void AddOutlineAndPlate(Cell& cell) {
  const Cell strokes = cell;
  auto isStroke = [&strokes](int y, int x) {
    return y >= 0 && y < kCellHeight && x >= 0 && x < kCellWidth && HasStroke(strokes[y][x]);
  };
  for (int y = kStrokeTop - 1; y <= kStrokeBottom; ++y) {
    for (int x = kStrokeLeft; x < kStrokeRight; ++x) {
      if (strokes[y][x] != kEmpty) continue;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          if (isStroke(y + dy, x + dx)) cell[y][x] = kOutline;
        }
      }
    }
    for (int x = 0; x < kCellWidth; ++x) {
      if (cell[y][x] == kEmpty) cell[y][x] = x == 0 || x == kCellWidth - 1 ? kPlateSide : kPlate;
    }
  }
}

// A character's quad reads the top row of the cell below it in the atlas
// (16 codes on) along its bottom edge. Under every glyph that row holds
// the plate's foot, the plate's bottom row once more, so that the plate
// reaches the bottom of the quad and the help page's lines (18 pixels tall,
// 17 apart) meet with no more than a faint seam; the cell's own quad never
// reads it. The cells of the codes with no glyph get it too where a glyph
// stands above them.
void AddPlateFoot(Cell& cell) {
  cell[0].fill(kPlate);
  cell[0].front() = cell[0].back() = kPlateSide;
}

void PutLe16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xff));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xff));
}

void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  PutLe16(out, value & 0xffff);
  PutLe16(out, value >> 16);
}

// The BMP of the upright sheet of cells, each design texel a kBlock square.
std::vector<std::uint8_t> EncodeBmp(const std::vector<Cell>& cells) {
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
  for (int row = 0; row < kAtlasSize; ++row) {
    for (int column = 0; column < kAtlasSize; ++column) {
      const int cellRow = row / (kCellHeight * kBlock);
      const int cellColumn = column / (kCellWidth * kBlock);
      const Cell& cell = cells[static_cast<std::size_t>(cellRow) * kColumns + cellColumn];
      Texel texel = cell[row / kBlock % kCellHeight][column / kBlock % kCellWidth];
      const int part = column % kBlock;  // the atlas column within the design texel
      if (texel == kStrokeOnRight) texel = part == 0 ? kOutline : kStroke;
      if (texel == kStrokeOnLeft) texel = part == kBlock - 1 ? kOutline : kStroke;
      const std::uint8_t grey = texel == kStroke ? 255 : 0;
      const std::uint8_t alpha = texel == kStroke || texel == kOutline ? 255
                                 : texel == kPlate                     ? kPlateAlpha
                                 : texel == kPlateSide                 ? kPlateSideAlpha
                                                                       : 0;
      out.insert(out.end(), {grey, grey, grey, alpha});
    }
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
                 "Draws codes 33..126 of FONT.ttf into the 512x512 glyph atlas OUT.bmp.\n",
                 argc > 0 ? argv[0] : "makefont");
    return 2;
  }
  for (const DrawnSheet& sheet : kDrawn) {
    for (const char* row : sheet.rows) {
      if (std::strlen(row) != std::strlen(sheet.codes) * (kDrawnColumns + 1) - 1) {
        std::fprintf(stderr, "makefont: the drawing of \"%s\" is malformed\n", sheet.codes);
        return 1;
      }
    }
  }

  FreeTypeSession ft;
  if (FT_Init_FreeType(&ft.library) != 0) {
    std::fprintf(stderr, "makefont: cannot initialise FreeType\n");
    return 1;
  }
  // The classic TrueType interpreter hints both directions, which a
  // monochrome rendering this small needs; naming it also pins the output.
  const FT_UInt interpreter = TT_INTERPRETER_VERSION_35;
  if (FT_Property_Set(ft.library, "truetype", "interpreter-version", &interpreter) != 0) {
    std::fprintf(stderr, "makefont: FreeType lacks the version 35 TrueType interpreter\n");
    return 1;
  }
  if (FT_New_Face(ft.library, argv[1], 0, &ft.face) != 0) {
    std::fprintf(stderr, "makefont: cannot open font %s\n", argv[1]);
    return 1;
  }
  if (!FT_IS_SCALABLE(ft.face) || FT_Set_Pixel_Sizes(ft.face, kEmWidth, kEmHeight) != 0) {
    std::fprintf(stderr, "makefont: cannot size the font %s\n", argv[1]);
    return 1;
  }

  std::vector<Cell> cells(std::size_t{kColumns} * kRows, Cell{});
  for (int code = kFirstDrawn; code <= kLastDrawn; ++code) {
    Cell& cell = cells[static_cast<std::size_t>(code - kFirstCode)];
    if (!PlaceDrawn(code, cell) && !PlaceRendered(ft.face, code, cell)) return 1;
    AddOutlineAndPlate(cell);
    AddPlateFoot(cells[static_cast<std::size_t>(code + kColumns - kFirstCode)]);
  }
  return WriteFile(argv[2], EncodeBmp(cells)) ? 0 : 1;
}
