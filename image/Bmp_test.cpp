// LoadBmp and Image::create against BMP files built byte by byte.
#include "image/Bmp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/support/TestFile.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A whole file: both headers, the info header padded to infoSize, a palette, then the pixels.
Bytes Bmp(int32_t width, int32_t height, uint16_t bits, const Bytes& pixels,
          uint32_t compression = 0, uint32_t infoSize = 40, uint32_t palette = 0,
          char magic = 'M') {
  const uint32_t offset = 14 + infoSize + palette;
  Bytes out = {'B', static_cast<uint8_t>(magic)};
  const uint32_t fields[] = {offset + static_cast<uint32_t>(pixels.size()),
                             0,
                             offset,
                             infoSize,
                             static_cast<uint32_t>(width),
                             static_cast<uint32_t>(height),
                             1u | uint32_t{bits} << 16,
                             compression};
  for (const uint32_t field : fields) {
    for (int k = 0; k < 4; ++k) out.push_back(static_cast<uint8_t>(field >> (8 * k)));
  }
  out.resize(offset, 0xEE);
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

// A 3x2 picture as BMP rows, blue-green-red padded to 12 bytes; and as LoadBmp delivers it.
const Bytes kTop = {3, 2, 1, 6, 5, 4, 9, 8, 7, 0xFD, 0xFD, 0xFD};
const Bytes kBottom = {12, 11, 10, 15, 14, 13, 18, 17, 16, 0xFD, 0xFD, 0xFD};
const Bytes kUp = [] {
  Bytes b = kBottom;
  b.insert(b.end(), kTop.begin(), kTop.end());
  return b;
}();
const Bytes kDown = [] {
  Bytes b = kTop;
  b.insert(b.end(), kBottom.begin(), kBottom.end());
  return b;
}();
const Bytes kPicture = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};

TEST(LoadBmp, ReadsEachDepthTopRowFirst) {
  const struct {
    Bytes file;
    uint32_t width, height, bits;
    Bytes pixels;  // rows packed, top first
  } cases[] = {
      {Bmp(3, 2, 24, kUp), 3, 2, 24, kPicture},
      {Bmp(3, -2, 24, kDown), 3, 2, 24, kPicture},
      {Bmp(3, 2, 24, kUp, 0, 124), 3, 2, 24, kPicture},
      {Bmp(5, 2, 8, {6, 7, 8, 9, 10, 0, 0, 0, 1, 2, 3, 4, 5, 0, 0, 0}, 0, 40, 1024),
       5,
       2,
       8,
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {Bmp(2, 2, 32, {9, 8, 7, 255, 12, 11, 10, 0, 3, 2, 1, 0, 6, 5, 4, 128}),
       2,
       2,
       32,
       {1, 2, 3, 0, 4, 5, 6, 128, 7, 8, 9, 255, 10, 11, 12, 0}},
  };
  for (const auto& c : cases) {
    const TestFile file(c.file);
    Image image;
    ASSERT_TRUE(LoadBmp(file.path(), &image)) << c.width << "x" << c.height << "x" << c.bits;
    EXPECT_EQ(image.width() * 10000 + image.height() * 100 + image.bitsPerPixel(),
              c.width * 10000 + c.height * 100 + c.bits);
    EXPECT_EQ(Bytes(image.pixels(), image.pixels() + c.pixels.size()), c.pixels);
  }
}

TEST(LoadBmp, RefusesBadFilesAndKeepsTheOldImage) {
  Bytes shortHeader = Bmp(3, 2, 24, kUp), shortPixels = shortHeader;
  shortHeader.resize(40);
  shortPixels.pop_back();
  const Bytes cases[] = {
      shortHeader, shortPixels, Bmp(3, 2, 24, kUp, 0, 40, 0, 'A'), Bmp(0, 2, 24, kUp),
      Bmp(-3, 2, 24, kUp), Bmp(3, 0, 24, kUp), Bmp(3, 2, 16, kUp), Bmp(3, 2, 4, kUp),
      Bmp(3, 2, 8, kUp, 1), Bmp(3, 2, 24, kUp, 3),
      // Sizes past 32 bits, some of which wrap to a few bytes that the file does hold.
      Bmp(0x7FFFFFFF, 1, 32, Bytes(16)), Bmp(1, INT32_MIN, 8, Bytes(16)),
      Bmp(0x40000001, 4, 8, Bytes(16)), Bmp(0x55555556, 1, 24, Bytes(4)),
      Bmp(0x10000, 0x10000, 8, Bytes(16))};
  Image image;
  ASSERT_TRUE(image.create(2, 2, 24));
  std::memset(image.pixels(), 7, 12);
  const uint8_t* old = image.pixels();
  for (const Bytes& bytes : cases) {
    const TestFile file(bytes);
    EXPECT_FALSE(LoadBmp(file.path(), &image)) << &bytes - cases;
    ASSERT_EQ(image.pixels(), old);
    EXPECT_EQ(image.width() + image.height() + image.bitsPerPixel() + old[11], 2u + 2 + 24 + 7);
  }
  EXPECT_FALSE(LoadBmp("/nonexistent/wendrix/font.bmp", &image));
  EXPECT_FALSE(LoadBmp(TestFile(Bmp(3, 2, 24, kUp)).path(), nullptr));
}

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
    image.clear();
    EXPECT_EQ(image.width() | image.height() | image.bitsPerPixel() | image.rowStride(), 0u);
  }
}

}  // namespace
