// Glyphs drawn with the program's own DrawText on an offscreen GL context, at
// the heights the program draws text, over black and over white: the hardest
// ones' strokes counted along lines through each, and every one's strokes
// against what lies around them.
#include "tools/StrokeCheck.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "image/Bmp.h"
#include "image/Image.h"
#include "painters/gl/GlPainter.h"
#include "text/GlyphAtlas.h"
#include "text/TextOverlay.h"
#include "window/OffscreenWindow.h"

namespace {

// A line through a drawn glyph: across its cell at a fraction of the cell's
// height from the top, or down it at a fraction of its width from the left,
// and the strokes it must cross there, each parted from the next by contrast.
struct StrokeLine {
  char glyph;
  bool across;
  float at;
  int strokes;
  int contrast = 40;  // a sixth of full scale; see CountRuns
};
constexpr StrokeLine kStrokeLines[] = {
    {'m', true, 0.58F, 3, 85},  // the three stems, below the arches, a third of full scale apart
    {'w', true, 0.52F, 3},      // both arms and the middle stroke
    {'M', true, 0.38F, 3},      // the stems and the vee between them
    {'M', true, 0.58F, 2},      // the stems, apart below the vee
    {'W', true, 0.46F, 3},      // both arms and the middle stroke
    {'W', true, 0.26F, 2},      // the arms, apart above the middle stroke
    {'#', true, 0.38F, 2},      // the two upright bars, between the cross bars
    {'#', false, 0.5F, 2},      // the two cross bars, between the upright bars
    {'@', true, 0.38F, 3},      // the ring's sides and the inner bowl between them
    {'&', true, 0.32F, 2},      // the sides of the upper loop
    {'&', true, 0.52F, 2},      // the lower bowl's side and the stroke that crosses it
    {'%', true, 0.26F, 2},      // the upper dot and the slash, apart
    {'%', true, 0.58F, 2},      // the slash and the lower dot, apart
};
constexpr int kTextHeights[] = {18, 20, 30};  // help lines, messages and frame rate, help title

// A run counts as a stroke (or, over white, as a gap between strokes) when
// it rises `contrast` above the darkest point before it, falls `contrast`
// below its own brightest point after it, and reaches kLevel on the way: a
// dip of a sixth of full scale still reads as a gap, and half-way from the
// background is what a thin stroke or outline reaches. The three one-texel
// stems of w, M and W at 18 pixels dip 55 between them, llvmpipe measured;
// without the outline, the gaps between strokes over white reach at most 64.
// An m whose middle stem stood on one column showed two stems at 20 pixels
// (its left gap dipped 72); its stems now part by 91 and more.
constexpr int kLevel = 128;

int CountRuns(const std::vector<int>& profile, int contrast) {
  int runs = 0;
  bool inRun = false;
  bool counted = false;
  int low = 255;
  int high = 0;
  for (int value : profile) {
    if (!inRun) {
      low = std::min(low, value);
      inRun = value >= low + contrast;
      counted = false;
      high = value;
    } else {
      high = std::max(high, value);
      if (value <= high - contrast) {
        inRun = false;
        low = value;
      }
    }
    if (inRun && !counted && high >= kLevel) {
      counted = true;
      ++runs;
    }
  }
  return runs;
}

std::string Describe(const std::vector<int>& profile) {
  std::string text;
  for (int value : profile) text += " " + std::to_string(value);
  return text;
}

// Where fontcheck draws: a glyph cell with its left edge kLeft pixels in and
// its bottom edge kBottom pixels down a kCanvas-pixel square.
constexpr int kCanvas = 48;
constexpr int kLeft = 8;
constexpr int kBottom = 40;

int CellWidth(int height) {
  return static_cast<int>(static_cast<float>(height) * kCellWidthFactor);
}

// The brightness along a line through the cell drawn at height, with a
// pixel of background either side; inverted over white, so that the runs
// counted there are the dark ones.
std::vector<int> Profile(const std::vector<std::uint8_t>& rgb, const StrokeLine& line, int height,
                         bool white) {
  const int width = CellWidth(height);
  const int top = kBottom - height;
  const int length = line.across ? width : height;
  const int fixed = line.across ? top + static_cast<int>(line.at * static_cast<float>(height))
                                : kLeft + static_cast<int>(line.at * static_cast<float>(width));
  std::vector<int> profile;
  for (int i = -1; i <= length; ++i) {
    const int x = line.across ? kLeft + i : fixed;
    const int y = line.across ? fixed : top + i;
    const std::uint8_t* pixel = &rgb[(static_cast<std::size_t>(y) * kCanvas + x) * 3];
    const int value = (pixel[0] + pixel[1] + pixel[2]) / 3;
    profile.push_back(white ? 255 - value : value);
  }
  return profile;
}

// The least contrast, as WCAG reckons it from relative luminance, between a
// glyph's brightest pixel (its strokes) and the pixel a quarter of the way up
// its cell's pixels sorted by brightness (what lies around the strokes: at
// least a quarter of every cell is plate or outline): WCAG's least for
// text, 4.5 : 1, and 3 : 1 for large text (24 pixels and up). White strokes
// with only an outline stood out 1 : 1 over white, where the outline was
// all that read.
double LeastContrast(int height) { return height >= 24 ? 3.0 : 4.5; }

double Luminance(int grey) {
  const double v = grey / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

// The grey levels of the cell drawn at height, row by row.
std::vector<int> CellPixels(const std::vector<std::uint8_t>& rgb, int height) {
  std::vector<int> pixels;
  for (int y = kBottom - height; y < kBottom; ++y) {
    for (int x = kLeft; x < kLeft + CellWidth(height); ++x) {
      const std::uint8_t* pixel = &rgb[(static_cast<std::size_t>(y) * kCanvas + x) * 3];
      pixels.push_back((pixel[0] + pixel[1] + pixel[2]) / 3);
    }
  }
  return pixels;
}

double StrokeContrast(std::vector<int> pixels) {
  const int brightest = *std::max_element(pixels.begin(), pixels.end());
  const auto quarter = pixels.begin() + static_cast<long>(pixels.size() / 4);
  std::nth_element(pixels.begin(), quarter, pixels.end());
  return (Luminance(brightest) + 0.05) / (Luminance(*quarter) + 0.05);
}

// One glyph alone, its cell's bottom left at (kLeft, kBottom), over a white or
// black field, with the program's own text drawing and blending.
std::vector<std::uint8_t> DrawGlyph(GlPainter& text, OffscreenWindow& window, char glyph,
                                    int height, bool white) {
  const float level = white ? 1.0F : 0.0F;
  glClearColor(level, level, level, 1.0F);
  glClear(GL_COLOR_BUFFER_BIT);
  const char string[2] = {glyph, '\0'};
  text.DrawNow(
      {kCanvas, kCanvas, LayOutText(string, kLeft, kBottom, static_cast<float>(height), kCanvas)});
  return window.ReadRgb();
}
}  // namespace

int CheckStrokes(const char* path) {
  int failures = 0;
  // Kept to the end of the process, as the program keeps its window: unloading Mesa
  // early leaves its own blocks behind for the leak check to report.
  static OffscreenWindow* const kept = new OffscreenWindow(kCanvas, kCanvas);
  OffscreenWindow& window = *kept;
  std::string error;
  if (!window.Open(&error)) {
    std::printf("FAIL: no offscreen GL context to draw on: %s\n", error.c_str());
    return 1;
  }
  GlPainter text;
  Image atlas;
  if (!LoadBmp(path, &atlas) || !text.LoadAtlas(atlas)) {
    std::printf("FAIL: the program cannot load %s\n", path);
    return 1;
  }
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);  // as the program sets it at start-up
  for (const int height : kTextHeights) {
    for (const bool white : {false, true}) {
      // Over black each stroke must be a bright run of its own; over white
      // the outline must leave a dark run between each two of them.
      for (const StrokeLine& line : kStrokeLines) {
        const std::vector<int> profile =
            Profile(DrawGlyph(text, window, line.glyph, height, white), line, height, white);
        const int runs = CountRuns(profile, line.contrast);
        const int wanted = white ? line.strokes - 1 : line.strokes;
        if (white ? runs >= wanted : runs == wanted) continue;
        ++failures;
        std::printf("FAIL: '%c' at height %d over %s, %s at %.2f: %d %s runs, not %s%d:%s\n",
                    line.glyph, height, white ? "white" : "black", line.across ? "across" : "down",
                    line.at, runs, white ? "dark" : "bright", white ? "at least " : "", wanted,
                    Describe(profile).c_str());
      }
      for (char glyph = '!'; glyph <= '~'; ++glyph) {
        const double contrast =
            StrokeContrast(CellPixels(DrawGlyph(text, window, glyph, height, white), height));
        if (contrast >= LeastContrast(height)) continue;
        ++failures;
        std::printf("FAIL: '%c' at height %d over %s: its strokes stand out %.1f : 1, not %.1f\n",
                    glyph, height, white ? "white" : "black", contrast, LeastContrast(height));
      }
    }
  }
  text.Stop();
  return failures;
}
