// An in-memory raster with tightly packed rows, filled by a loader.
#pragma once

#include <cstdint>
#include <memory>

class Image;

// A loader fills an Image from a named file.
using ImageLoader = bool (*)(const char* fileName, Image* image);

class Image {
 public:
  Image() = default;
  virtual ~Image();
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  // Allocates an uninitialised buffer; false for a zero argument or no memory.
  bool create(uint32_t width, uint32_t height, uint32_t bitsPerPixel);
  // Frees the buffer and zeroes every number; harmless when empty.
  virtual void clear();
  bool load(const char* fileName, ImageLoader loader);

  uint32_t bitsPerPixel() const { return bitsPerPixel_; }
  uint32_t width() const { return width_; }
  uint32_t height() const { return height_; }
  uint32_t rowStride() const { return rowStride_; }
  uint8_t* pixels() const { return pixels_.get(); }

 private:
  uint32_t bitsPerPixel_ = 0;
  uint32_t width_ = 0;
  uint32_t height_ = 0;
  uint32_t rowStride_ = 0;  // width * whole bytes per pixel
  uint32_t byteSize_ = 0;
  std::unique_ptr<uint8_t[]> pixels_;
};
