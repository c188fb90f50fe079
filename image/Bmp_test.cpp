// Image::create and LoadBmp against BMP files built byte by byte.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "image/Image.h"
#include "tests/support/TestFile.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Header fields of a fixture; the defaults make a valid bottom-up file.
struct BmpFields {
  int32_t width = 0;
  int32_t height = 0;
  uint16_t bitsPerPixel = 24;
  uint32_t compression = 0;
  char magic1 = 'M';
  uint32_t infoSize = 40;     // written as the header size, and filled out to this length
  uint32_t paletteBytes = 0;  // between the info header and the pixels
};

void Put16(Bytes& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(Bytes& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// A whole file: both headers little-endian, filler, palette, then pixelData as given.
Bytes Bmp(const BmpFields& f, const Bytes& pixelData) {
  const uint32_t pixelOffset = 14 + f.infoSize + f.paletteBytes;
  Bytes out = {'B', static_cast<uint8_t>(f.magic1)};
  Put32(out, pixelOffset + static_cast<uint32_t>(pixelData.size()));
  Put32(out, 0);
  Put32(out, pixelOffset);
  Put32(out, f.infoSize);
  Put32(out, static_cast<uint32_t>(f.width));
  Put32(out, static_cast<uint32_t>(f.height));
  Put16(out, 1);
  Put16(out, f.bitsPerPixel);
  Put32(out, f.compression);
  Put32(out, static_cast<uint32_t>(pixelData.size()));
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  out.resize(14 + f.infoSize, 0xEE);  // the rest of a longer header: never pixels
  out.resize(pixelOffset, 0xCC);      // palette
  out.insert(out.end(), pixelData.begin(), pixelData.end());
  return out;
}

Bytes Truncated(Bytes bytes, size_t length) {
  bytes.resize(length);
  return bytes;
}

// A 3x2 picture, RGB, top row first: (1,2,3) (4,5,6) (7,8,9) / (10,11,12) (13,14,15) (16,17,18).
const Bytes kPicture24(  // as LoadBmp must deliver it
    {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18});
// The same picture as BMP rows: blue-green-red, 9 bytes of pixels padded to 12.
const Bytes kTopRow24 = {3, 2, 1, 6, 5, 4, 9, 8, 7, 0xFD, 0xFD, 0xFD};
const Bytes kBottomRow24 = {12, 11, 10, 15, 14, 13, 18, 17, 16, 0xFD, 0xFD, 0xFD};

Bytes Rows(const Bytes& first, const Bytes& second) {
  Bytes out = first;
  out.insert(out.end(), second.begin(), second.end());
  return out;
}

const Bytes kBottomUp24 = Bmp({.width = 3, .height = 2}, Rows(kBottomRow24, kTopRow24));

// Palette indices taken as grey levels; 5 pixels padded to 8 bytes, bottom row first.
const Bytes kRows8 = {6, 7, 8, 9, 10, 0xFD, 0xFD, 0xFD, 1, 2, 3, 4, 5, 0xFD, 0xFD, 0xFD};
const Bytes kPicture8 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
// Blue-green-red-x becomes red-green-blue-x; the fourth byte is alpha as stored.
const Bytes kRows32 = {9, 8, 7, 255, 12, 11, 10, 0, 3, 2, 1, 0, 6, 5, 4, 128};
const Bytes kPicture32 = {1, 2, 3, 0, 4, 5, 6, 128, 7, 8, 9, 255, 10, 11, 12, 0};

struct LoadCase {
  const char* name;
  Bytes file;
  uint32_t width, height, bitsPerPixel, rowStride;
  Bytes pixels;
};

TEST(LoadBmp, ReadsEachDepthTopRowFirst) {
  const LoadCase cases[] = {
      {"24-bit bottom-up, padded rows", kBottomUp24, 3, 2, 24, 9, kPicture24},
      {"24-bit top-down", Bmp({.width = 3, .height = -2}, Rows(kTopRow24, kBottomRow24)), 3, 2, 24,
       9, kPicture24},
      {"124-byte info header",
       Bmp({.width = 3, .height = 2, .infoSize = 124}, Rows(kBottomRow24, kTopRow24)), 3, 2, 24, 9,
       kPicture24},
      {"8-bit with palette",
       Bmp({.width = 5, .height = 2, .bitsPerPixel = 8, .paletteBytes = 1024}, kRows8), 5, 2, 8, 5,
       kPicture8},
      {"32-bit", Bmp({.width = 2, .height = 2, .bitsPerPixel = 32}, kRows32), 2, 2, 32, 8,
       kPicture32},
  };
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.name);
    TestFile file("load.bmp", c.file);
    Image image;
    ASSERT_TRUE(image.create(1, 1, 32));  // replaced on success
    ASSERT_TRUE(LoadBmp(file.path(), &image));
    EXPECT_EQ(image.width(), c.width);
    EXPECT_EQ(image.height(), c.height);
    EXPECT_EQ(image.bitsPerPixel(), c.bitsPerPixel);
    ASSERT_EQ(image.rowStride(), c.rowStride);
    EXPECT_EQ(Bytes(image.pixels(), image.pixels() + size_t{c.rowStride} * c.height), c.pixels);
  }
}

struct RejectCase {
  const char* name;
  Bytes file;
};

TEST(LoadBmp, RejectsBadFilesAndKeepsTheOldImage) {
  constexpr int32_t kMaxInt = std::numeric_limits<int32_t>::max();
  const RejectCase cases[] = {
      {"shorter than the file header", Truncated(kBottomUp24, 10)},
      {"ends inside the info header", Truncated(kBottomUp24, 40)},
      {"wrong magic", Bmp({.width = 3, .height = 2, .magic1 = 'A'}, Rows(kBottomRow24, kTopRow24))},
      {"zero width", Bmp({.width = 0, .height = 2}, Rows(kBottomRow24, kTopRow24))},
      {"negative width", Bmp({.width = -3, .height = 2}, Rows(kBottomRow24, kTopRow24))},
      {"zero height", Bmp({.width = 3, .height = 0}, Rows(kBottomRow24, kTopRow24))},
      {"1 bit", Bmp({.width = 3, .height = 2, .bitsPerPixel = 1}, Bytes(8, 0))},
      {"4 bits", Bmp({.width = 3, .height = 2, .bitsPerPixel = 4}, Bytes(8, 0))},
      {"16 bits", Bmp({.width = 3, .height = 2, .bitsPerPixel = 16}, Bytes(16, 0))},
      {"RLE8", Bmp({.width = 3, .height = 2, .bitsPerPixel = 8, .compression = 1}, Bytes(8, 0))},
      {"RLE4", Bmp({.width = 3, .height = 2, .bitsPerPixel = 8, .compression = 2}, Bytes(8, 0))},
      {"bit fields",
       Bmp({.width = 3, .height = 2, .compression = 3}, Rows(kBottomRow24, kTopRow24))},
      {"pixel data one byte short", Truncated(kBottomUp24, kBottomUp24.size() - 1)},
      // Sizes beyond 32 bits, some of which wrap to a few bytes that the file does hold.
      {"row of 8 GiB", Bmp({.width = kMaxInt, .height = 1, .bitsPerPixel = 32}, Bytes(16, 0))},
      {"2^31 top-down rows",
       Bmp({.width = 1, .height = -kMaxInt - 1, .bitsPerPixel = 8}, Bytes(16, 0))},
      {"block wraps to 16 bytes",
       Bmp({.width = 0x40000001, .height = 4, .bitsPerPixel = 8}, Bytes(16, 0))},
      {"24-bit row wraps to 4 bytes",
       Bmp({.width = 0x55555556, .height = 1, .bitsPerPixel = 24}, Bytes(4, 0))},
      {"image of 4 GiB",
       Bmp({.width = 0x10000, .height = 0x10000, .bitsPerPixel = 8}, Bytes(16, 0))},
  };
  const Bytes oldPixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  Image image;
  ASSERT_TRUE(image.create(2, 2, 24));
  std::memcpy(image.pixels(), oldPixels.data(), oldPixels.size());
  const uint8_t* oldBuffer = image.pixels();
  for (const RejectCase& c : cases) {
    SCOPED_TRACE(c.name);
    TestFile file("reject.bmp", c.file);
    EXPECT_FALSE(LoadBmp(file.path(), &image));
    ASSERT_EQ(image.pixels(), oldBuffer);
    EXPECT_EQ(image.width(), 2u);
    EXPECT_EQ(image.height(), 2u);
    EXPECT_EQ(image.bitsPerPixel(), 24u);
    EXPECT_EQ(Bytes(oldBuffer, oldBuffer + oldPixels.size()), oldPixels);
  }
  EXPECT_FALSE(LoadBmp("/nonexistent/wendrix/font.bmp", &image));
  EXPECT_EQ(image.pixels(), oldBuffer);
  TestFile good("good.bmp", kBottomUp24);
  EXPECT_FALSE(LoadBmp(good.path(), nullptr));
}

struct CreateCase {
  uint32_t width, height, bitsPerPixel;
  uint32_t rowStride;  // 0: create fails
};

TEST(Image, CreateSizesRowsInWholeBytesAndRefusesBadSizes) {
  // Depths below 8 bits still take a byte a pixel; the last two pass 32 bits in a row and in all.
  const CreateCase cases[] = {
      {3, 2, 24, 9},
      {5, 1, 16, 10},
      {4, 4, 1, 4},
      {0, 2, 24, 0},
      {2, 0, 24, 0},
      {2, 2, 0, 0},
      {0x80000000u, 1, 32, 0},
      {0x10000, 0x10000, 8, 0},
  };
  for (const CreateCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.bitsPerPixel);
    Image image;
    ASSERT_TRUE(image.create(2, 2, 32));  // a failure must not keep the old buffer
    EXPECT_EQ(image.create(c.width, c.height, c.bitsPerPixel), c.rowStride != 0);
    EXPECT_EQ(image.rowStride(), c.rowStride);
    EXPECT_EQ(image.pixels() != nullptr, c.rowStride != 0);
  }
}

TEST(Image, ClearTwiceLeavesItEmpty) {
  Image image;
  ASSERT_TRUE(image.create(3, 2, 24));
  image.clear();
  image.clear();
  EXPECT_EQ(image.pixels(), nullptr);
  EXPECT_EQ(image.width() | image.height() | image.bitsPerPixel() | image.rowStride(), 0u);
}

}  // namespace
