// pngprobe: what the install tests need to know about a PNG.
//   pngprobe text FILE  "glyphs", "blocks" or "none": what the band 20 pixels tall at the top
//                       left, where the start-up message is drawn, holds. Glyphs from the
//                       atlas light a few scattered pixels there; without the atlas every
//                       character cell is a solid white block.
//   pngprobe icon FILE  WIDTHxHEIGHT and how many of the four edges (the outer rows and
//                       columns) are black throughout: a grid that stops short of the edge.
#include <algorithm>
#include <cstdio>
#include <string>

#include "image/Png.h"

int main(int argc, char** argv) {
  const std::string mode = argc == 3 ? argv[1] : "";
  RgbImage image;
  std::string error;
  if ((mode != "text" && mode != "icon") || !ReadPng(argv[2], &image, &error)) {
    std::fprintf(stderr, "pngprobe: %s\n",
                 error.empty() ? "usage: pngprobe text|icon FILE.png" : error.c_str());
    return 2;
  }
  const int w = image.width, h = image.height;
  // The smallest and the largest channel of pixel (x, y).
  auto channels = [&](int x, int y) {
    const uint8_t* p = &image.rgb[(static_cast<size_t>(y) * w + x) * 3];
    return std::minmax({p[0], p[1], p[2]});
  };
  if (mode == "text") {
    // The message's cells: rows 0 to 19, x from 10 to about 253. Lit: every channel at
    // least 100, text or text blended over the field.
    int lit = 0;
    for (int y = 0; y < std::min(h, 20); ++y)
      for (int x = 10; x < std::min(w, 250); ++x) lit += channels(x, y).first >= 100 ? 1 : 0;
    // Measured at 640x480: glyphs light about a tenth of the band's 4800, blocks four fifths.
    std::puts(lit * 100 < 4800 ? "none" : lit * 2 < 4800 ? "glyphs" : "blocks");
    return 0;
  }
  int top = 0, bottom = 0, left = 0, right = 0;  // the brightest channel along each edge
  for (int x = 0; x < w; ++x) top = std::max<int>(top, channels(x, 0).second);
  for (int x = 0; x < w; ++x) bottom = std::max<int>(bottom, channels(x, h - 1).second);
  for (int y = 0; y < h; ++y) left = std::max<int>(left, channels(0, y).second);
  for (int y = 0; y < h; ++y) right = std::max<int>(right, channels(w - 1, y).second);
  std::printf("%dx%d %d\n", w, h, (top == 0) + (bottom == 0) + (left == 0) + (right == 0));
  return 0;
}
