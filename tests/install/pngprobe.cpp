// pngprobe: what the install tests need to know about a PNG.
//   pngprobe size FILE  prints WIDTHxHEIGHT and how many pixels are not black.
//   pngprobe text FILE  prints "glyphs", "blocks" or "none": what the status message's
//                       area holds, the band 20 pixels tall at the top left where the
//                       start-up message is drawn. Glyphs from the atlas light a few
//                       scattered pixels there; without the atlas every character cell
//                       is a solid white block.
#include <cstdio>
#include <cstring>
#include <string>

#include "image/Png.h"

namespace {
// The start-up message's cells: rows 0 to 19 and x from 10 to about 253.
constexpr int kTop = 0, kBottom = 20, kLeft = 10, kRight = 250;
constexpr int kLit = 100;  // every channel at least this: text, or text blended over the field

bool Lit(const RgbImage& image, int x, int y) {
  const uint8_t* p = &image.rgb[(static_cast<size_t>(y) * image.width + x) * 3];
  return p[0] >= kLit && p[1] >= kLit && p[2] >= kLit;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[1], "size") != 0 && std::strcmp(argv[1], "text") != 0)) {
    std::fputs("usage: pngprobe size|text FILE.png\n", stderr);
    return 2;
  }
  RgbImage image;
  std::string error;
  if (!ReadPng(argv[2], &image, &error)) {
    std::fprintf(stderr, "pngprobe: %s\n", error.c_str());
    return 1;
  }
  if (std::strcmp(argv[1], "size") == 0) {
    long notBlack = 0;
    for (size_t i = 0; i < image.rgb.size(); i += 3) {
      if (image.rgb[i] != 0 || image.rgb[i + 1] != 0 || image.rgb[i + 2] != 0) ++notBlack;
    }
    std::printf("%dx%d %ld\n", image.width, image.height, notBlack);
    return 0;
  }
  if (image.width < kRight || image.height < kBottom) {
    std::fprintf(stderr, "pngprobe: %s is %dx%d, too small to hold the message\n", argv[2],
                 image.width, image.height);
    return 1;
  }
  long lit = 0;
  for (int y = kTop; y < kBottom; ++y) {
    for (int x = kLeft; x < kRight; ++x) lit += Lit(image, x, y) ? 1 : 0;
  }
  const long area = static_cast<long>(kBottom - kTop) * (kRight - kLeft);
  // Measured at 640x480: glyphs light about a tenth of the band, blocks four fifths.
  const char* verdict = lit * 100 < area ? "none" : lit * 2 < area ? "glyphs" : "blocks";
  std::printf("%s\n", verdict);
  std::fprintf(stderr, "pngprobe: %ld of %ld pixels lit in the message band\n", lit, area);
  return 0;
}
