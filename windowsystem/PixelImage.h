// A window-sized picture in memory, the form both image presenters put on the
// screen: 0xAARRGGBB words (alpha always opaque), top row first, as X's 24- and
// 32-bit TrueColor images and Windows' 32-bit top-down DIBs take them.
#pragma once

#include <cstddef>
#include <cstdint>

struct PixelImage {
  uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;  // words from one row to the next

  uint32_t* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
};

constexpr uint32_t kOpaqueBlack = 0xff000000u;

// A window whose picture is such an image, made on the processor and put on the
// screen by the window's own SwapBuffers.
class ImageTarget {
 public:
  // The image of the window's present size; empty while there is none.
  virtual PixelImage Picture() = 0;

 protected:
  ImageTarget() = default;
  ~ImageTarget() = default;
  ImageTarget(const ImageTarget&) = default;
  ImageTarget& operator=(const ImageTarget&) = default;
};
