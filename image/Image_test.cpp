// Image::create: whole bytes a pixel, and sizes that do not fit refused. LoadBmp's
// files, accepted and refused, are the fuzz corpus's named seeds (ctest -L fuzz).
#include "image/Image.h"

#include <gtest/gtest.h>

namespace {

TEST(Image, CreateSizesRowsInWholeBytesAndRefusesBadSizes) {
  const struct {
    uint32_t width, height, bits, rowStride;  // 0: refused
  } cases[] = {{3, 2, 24, 9},           {5, 1, 16, 10},          {4, 4, 1, 4},
               {0, 2, 24, 0},           {2, 0, 24, 0},           {2, 2, 0, 0},
               {0x80000000u, 1, 32, 0}, {0x10000, 0x10000, 8, 0}};
  for (const auto& c : cases) {
    Image image;
    ASSERT_TRUE(image.create(2, 2, 32));  // a failure must not keep the old buffer
    EXPECT_EQ(image.create(c.width, c.height, c.bits), c.rowStride != 0) << c.width;
    EXPECT_EQ(image.rowStride(), c.rowStride) << c.width;
    EXPECT_EQ(image.pixels() != nullptr, c.rowStride != 0) << c.width;
    if (c.rowStride == 0) continue;
    image.clear();
    image.clear();  // harmless when empty
    EXPECT_EQ(image.width() | image.height() | image.bitsPerPixel() | image.rowStride(), 0u);
  }
}

}  // namespace
