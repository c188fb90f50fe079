// The mipmap levels gluBuild2DMipmaps makes of an image with sides a power of
// two, as RGBA bytes: what the painters that sample the glyph atlas themselves
// (the processor's, WebGL's) sample, level for level as GL would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class Image;

struct MipLevel {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;  // rows in the order GL was given them: t grows with the row

  // With GL_REPEAT, on sides a power of two.
  const uint8_t* Texel(int column, int row) const {
    column &= width - 1;
    row &= height - 1;
    return &rgba[(static_cast<size_t>(row) * width + column) * 4];
  }
};

// Level 0 the image itself (8 bits a pixel taken as luminance, 24 as RGB, both
// opaque, as GL takes them), then each the 2x2 box average of the one before,
// rounded, down to 1x1. Empty for any other depth or size.
std::vector<MipLevel> MipmapLevels(const Image& image);
