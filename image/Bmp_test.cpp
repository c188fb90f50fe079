// LoadBmp and Image::create against BMP files built byte by byte.
#include "image/Bmp.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// A whole file: both headers, the info header padded to infoSize, a palette, then the pixels.
Bytes Bmp(int32_t width, int32_t height, uint16_t bits, const Bytes& pixels,
          uint32_t compression = 0, uint32_t infoSize = 40, uint32_t palette = 0, char m = 'M') {
  const uint32_t offset = 14 + infoSize + palette;
  Bytes out = {'B', static_cast<uint8_t>(m)};
  for (const uint32_t field : {offset + static_cast<uint32_t>(pixels.size()), 0u, offset, infoSize,
                               static_cast<uint32_t>(width), static_cast<uint32_t>(height),
                               1u | uint32_t{bits} << 16, compression}) {
    for (int k = 0; k < 4; ++k) out.push_back(static_cast<uint8_t>(field >> (8 * k)));
  }
  out.resize(offset, 0xEE);
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

// LoadBmp on the bytes written to a file of their own.
bool Load(const Bytes& bytes, Image* image) {
  const std::string path = testing::TempDir() + "wendrix-" + std::to_string(getpid()) + ".bmp";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  const bool loaded = LoadBmp(path.c_str(), image);
  std::remove(path.c_str());
  return loaded;
}

// A 3x2 picture as BMP rows, blue-green-red, padded to 12 bytes: top, then bottom.
const Bytes kTopBottom = {3,  2,  1,  6,  5,  4,  9,  8,  7,  0xFD, 0xFD, 0xFD,
                          12, 11, 10, 15, 14, 13, 18, 17, 16, 0xFD, 0xFD, 0xFD};
const Bytes kUp = [] {
  Bytes b(kTopBottom.begin() + 12, kTopBottom.end());
  b.insert(b.end(), kTopBottom.begin(), kTopBottom.begin() + 12);
  return b;
}();
const Bytes kPicture = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};

TEST(LoadBmp, ReadsEachDepthTopRowFirst) {
  const struct {
    Bytes file;
    uint32_t shape;  // width, height and bits as 10000 w + 100 h + bits
    Bytes pixels;
  } cases[] = {
      {Bmp(3, 2, 24, kUp), 30224, kPicture},
      {Bmp(3, -2, 24, kTopBottom), 30224, kPicture},
      {Bmp(3, 2, 24, kUp, 0, 124), 30224, kPicture},
      {Bmp(5, 2, 8, {6, 7, 8, 9, 10, 0, 0, 0, 1, 2, 3, 4, 5, 0, 0, 0}, 0, 40, 1024),
       50208,
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {Bmp(2, 2, 32, {9, 8, 7, 255, 12, 11, 10, 0, 3, 2, 1, 0, 6, 5, 4, 128}),
       20232,
       {1, 2, 3, 0, 4, 5, 6, 128, 7, 8, 9, 255, 10, 11, 12, 0}},
  };
  for (const auto& c : cases) {
    Image image;
    ASSERT_TRUE(Load(c.file, &image)) << c.shape;
    EXPECT_EQ(image.width() * 10000 + image.height() * 100 + image.bitsPerPixel(), c.shape);
    EXPECT_EQ(Bytes(image.pixels(), image.pixels() + c.pixels.size()), c.pixels);
  }
}

TEST(LoadBmp, RefusesBadFilesAndKeepsTheOldImage) {
  Bytes shortHeader = Bmp(3, 2, 24, kUp), shortPixels = shortHeader;
  shortHeader.resize(40);
  shortPixels.pop_back();
  // Sizes past 32 bits, some of which wrap to a few bytes that the file does hold.
  const Bytes cases[] = {shortHeader,
                         shortPixels,
                         Bmp(3, 2, 24, kUp, 0, 40, 0, 'A'),
                         Bmp(0, 2, 24, kUp),
                         Bmp(-3, 2, 24, kUp),
                         Bmp(3, 0, 24, kUp),
                         Bmp(3, 2, 16, kUp),
                         Bmp(3, 2, 8, kUp, 1),
                         Bmp(0x7FFFFFFF, 1, 32, Bytes(16)),
                         Bmp(1, INT32_MIN, 8, Bytes(16)),
                         Bmp(0x55555556, 1, 24, Bytes(4))};
  Image image;
  ASSERT_TRUE(image.create(2, 2, 24));
  std::memset(image.pixels(), 7, 12);
  const uint8_t* old = image.pixels();
  for (const Bytes& bytes : cases) {
    EXPECT_FALSE(Load(bytes, &image)) << &bytes - cases;
    ASSERT_EQ(image.pixels(), old);
    EXPECT_EQ(image.width() + image.height() + image.bitsPerPixel() + old[11], 2u + 2 + 24 + 7);
  }
  EXPECT_FALSE(Load(Bmp(3, 2, 24, kUp), nullptr));
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
    image.clear();  // harmless when empty
    EXPECT_EQ(image.width() | image.height() | image.bitsPerPixel() | image.rowStride(), 0u);
  }
}

}  // namespace
