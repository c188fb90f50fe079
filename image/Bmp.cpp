// LoadBmp: read, validate, check the sizes, allocate, convert rows.
#include "image/Bmp.h"

#include <cstring>
#include <memory>
#include <new>

#include "cmdline/Arguments.h"
#include "image/BinaryFile.h"

namespace {

// One BMP row of width pixels into one image row: blue-green-red(-x) becomes red-green-blue(-x).
void ConvertBmpRow(const uint8_t* source, uint8_t* target, uint32_t width, uint32_t bitsPerPixel) {
  switch (bitsPerPixel) {
    case 8: std::memcpy(target, source, width); break;
    case 24:
      for (uint32_t x = 0; x < width; ++x, source += 3, target += 3) {
        target[0] = source[2];
        target[1] = source[1];
        target[2] = source[0];
      }
      break;
    case 32:
      for (uint32_t x = 0; x < width; ++x, source += 4, target += 4) {
        target[0] = source[2];
        target[1] = source[1];
        target[2] = source[0];
        target[3] = source[3];
      }
      break;
  }
}

}  // namespace

bool LoadBmp(const char* fileName, Image* image) { return LoadBmp(fileName, image, nullptr); }

bool LoadBmp(const char* fileName, Image* image, std::string* why) {
  if (image == nullptr) return Fail(why, "no image to load into");
  // Every early return below closes the file and frees the block through their owners.
  BinaryFile file;
  if (!file.openRegular(fileName, why)) return false;

  // File header; values start at 0 so that a short file cannot pass for a good one.
  uint8_t magic0 = 0, magic1 = 0;
  uint32_t fileSize = 0, reserved = 0, pixelOffset = 0;
  file.readValue(magic0).readValue(magic1).readValue(fileSize).readValue(reserved).readValue(
      pixelOffset);
  if (file.atEnd() && file.tell() == 0) return Fail(why, "it is empty");
  if (magic0 != 'B' || magic1 != 'M')
    return Fail(why, "it is no BMP file (no \"BM\" at its start)");
  if (file.atEnd()) return Fail(why, "it ends inside its header");

  // Info header: only its first 40 bytes are read, whatever size it claims.
  uint32_t headerSize = 0, rawWidth = 0, rawHeight = 0, compression = 0, dataSize = 0;
  uint32_t xResolution = 0, yResolution = 0, coloursUsed = 0, importantColours = 0;
  uint16_t planes = 0, bitsPerPixel = 0;
  file.readValue(headerSize).readValue(rawWidth).readValue(rawHeight).readValue(planes);
  file.readValue(bitsPerPixel).readValue(compression).readValue(dataSize);
  file.readValue(xResolution)
      .readValue(yResolution)
      .readValue(coloursUsed)
      .readValue(importantColours);
  if (file.atEnd()) return Fail(why, "it ends inside its header");
  const auto width = static_cast<int32_t>(rawWidth);
  const auto height = static_cast<int32_t>(rawHeight);  // negative: top row first
  if (compression != 0) {
    return Fail(why, "it is compressed (method " + std::to_string(compression) +
                         "); only uncompressed BMP files are read");
  }
  if (height == 0 || width <= 0) {
    return Fail(why, "its size, " + std::to_string(width) + " by " + std::to_string(height) +
                         ", holds no pixel");
  }
  if (bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32) {
    return Fail(why, "it has " + std::to_string(bitsPerPixel) +
                         " bits a pixel; only 8, 24 and 32 are read");
  }

  // The palette and any longer header lie before the offset; a failed seek reads on from here.
  file.seekFromStart(static_cast<int32_t>(pixelOffset));

  // 64-bit arithmetic cannot wrap here (width < 2^31, 4 bytes a pixel, rows <= 2^31), so
  // the 32-bit limit is tested on true sizes before anything is allocated.
  const uint64_t bytesPerPixel = bitsPerPixel / 8;
  const uint64_t rows = height < 0 ? -int64_t{height} : int64_t{height};
  const uint64_t pixelRowLength = uint64_t(width) * bytesPerPixel;
  const uint64_t sourceRowLength = (pixelRowLength + 3) / 4 * 4;
  const uint64_t blockSize = sourceRowLength * rows;
  if (blockSize > UINT32_MAX || pixelRowLength * rows > UINT32_MAX) {
    return Fail(why, "its pixels would take more than 4 GiB");
  }
  // A file too short for its block is refused before the block is allocated: a
  // header of a few dozen bytes must not have the program ask for gigabytes.
  const long here = file.tell();
  if (here >= 0 && file.seekFromEnd(0)) {
    const long end = file.tell();
    file.seekFromStart(static_cast<int32_t>(here));
    if (end >= 0 && (end < here || static_cast<uint64_t>(end - here) < blockSize)) {
      return Fail(why, "its pixels are cut short");
    }
  }

  // Uninitialised on purpose: the read fills all of it or the load fails.
  std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[blockSize]);
  if (block == nullptr) return Fail(why, "no memory for its pixels");
  if (!file.read(block.get(), blockSize)) return Fail(why, "its pixels are cut short");

  if (!image->create(static_cast<uint32_t>(width), static_cast<uint32_t>(rows), bitsPerPixel))
    return Fail(why, "no memory for its pixels");
  // Each row reads pixelRowLength <= sourceRowLength bytes of the block and writes one
  // rowStride (= pixelRowLength) row of the Image, so neither buffer is overrun.
  for (uint64_t i = 0; i < rows; ++i) {
    const uint64_t sourceRow = height > 0 ? rows - 1 - i : i;
    ConvertBmpRow(block.get() + sourceRow * sourceRowLength,
                  image->pixels() + i * image->rowStride(), static_cast<uint32_t>(width),
                  bitsPerPixel);
  }
  file.close();
  return true;
}
