// PNG files through libpng: 8-bit RGB, top row first, as the renderer writes
// frames and the tests read them back, and the icons compiled into wendrix.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // width * height * 3 bytes, top row first
};

// Writes width x height RGB pixels (rgb holds width * height * 3 bytes) to
// path as image/OutputFile.h writes files; false with a reason that names the
// path. A regular file written in place is left whole by a full disk.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb,
              std::string* error);
// Reads any PNG as 8-bit RGB (alpha dropped, grey and palettes expanded).
bool ReadPng(const std::string& path, RgbImage* out, std::string* error);
// PNG bytes in memory as 8-bit RGBA, top row first; false when they do not decode.
bool DecodePngRgba(std::span<const uint8_t> png, int* width, int* height,
                   std::vector<uint8_t>* rgba);
