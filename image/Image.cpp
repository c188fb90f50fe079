// Image: a tightly packed raster.
#include "image/Image.h"

#include <new>

// Named, not dispatched: a destructor reaches no override anyway.
Image::~Image() { Image::clear(); }

bool Image::create(uint32_t width, uint32_t height, uint32_t bitsPerPixel) {
  clear();
  if (width == 0 || height == 0 || bitsPerPixel == 0) return false;
  width_ = width;
  height_ = height;
  bitsPerPixel_ = bitsPerPixel;
  // Worked out in 64 bits: a raster whose sizes do not fit the 32-bit fields is refused.
  const uint64_t stride = uint64_t{width} * ((uint64_t{bitsPerPixel} + 7) / 8);
  if (stride > UINT32_MAX || stride * height > UINT32_MAX) return false;
  rowStride_ = static_cast<uint32_t>(stride);
  byteSize_ = static_cast<uint32_t>(stride * height);
  pixels_.reset(new (std::nothrow) uint8_t[byteSize_]);
  return pixels_ != nullptr;
}

void Image::clear() {
  if (pixels_ == nullptr) return;
  pixels_.reset();
  byteSize_ = 0;
  bitsPerPixel_ = 0;
  rowStride_ = 0;
  height_ = 0;
  width_ = 0;
}

bool Image::load(const char* fileName, ImageLoader loader) {
  return loader != nullptr && loader(fileName, this);
}
