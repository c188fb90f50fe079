// PNG files through libpng: 8-bit RGB, top row first, as the renderer writes
// frames and the tests read them back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // width * height * 3 bytes, top row first
};

// Writes width x height RGB pixels (rgb holds width * height * 3 bytes) to
// path; false with a reason that names the path. A failed write leaves the
// path as it was: no new file, and an existing one (or a link's target) untouched.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb,
              std::string* error);
// Reads any PNG as 8-bit RGB (alpha dropped, grey and palettes expanded).
bool ReadPng(const std::string& path, RgbImage* out, std::string* error);
