// The reference decoder reads the header fields straight from the bytes, so it
// shares no code with BinaryFile or LoadBmp and can disagree with them.
#include "fuzz/BmpOracle.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "image/Bmp.h"

namespace {

struct Expected {
  bool loads = false;
  uint32_t width = 0, height = 0, bitsPerPixel = 0;
  std::vector<uint8_t> pixels;  // top row first, red-green-blue(-alpha)
};

uint32_t U32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

Expected Decode(const uint8_t* data, size_t size) {
  Expected out;
  if (size < 54 || data[0] != 'B' || data[1] != 'M') return out;  // both headers, whole
  const auto width = static_cast<int32_t>(U32(data + 18));
  const auto height = static_cast<int32_t>(U32(data + 22));
  const uint16_t bits = U16(data + 28);
  if (U32(data + 30) != 0 || height == 0 || width <= 0) return out;
  if (bits != 8 && bits != 24 && bits != 32) return out;
  // A negative offset is a seek that fails: the pixels are then read from just after the headers.
  const auto offset = static_cast<int32_t>(U32(data + 10));
  const uint64_t start = offset < 0 ? 54 : static_cast<uint64_t>(offset);
  const uint64_t bytes = bits / 8;
  const uint64_t rows = height < 0 ? -int64_t{height} : int64_t{height};
  const uint64_t rowLength = static_cast<uint64_t>(width) * bytes;
  const uint64_t sourceRow = (rowLength + 3) / 4 * 4;
  if (sourceRow * rows > UINT32_MAX || rowLength * rows > UINT32_MAX) return out;
  if (start + sourceRow * rows > size) return out;
  out.loads = true;
  out.width = static_cast<uint32_t>(width);
  out.height = static_cast<uint32_t>(rows);
  out.bitsPerPixel = bits;
  out.pixels.reserve(rowLength * rows);
  for (uint64_t i = 0; i < rows; ++i) {
    const uint8_t* row = data + start + sourceRow * (height > 0 ? rows - 1 - i : i);
    for (uint64_t x = 0; x < static_cast<uint64_t>(width); ++x) {
      const uint8_t* p = row + x * bytes;
      if (bytes == 1) {
        out.pixels.push_back(p[0]);
      } else {
        out.pixels.insert(out.pixels.end(), {p[2], p[1], p[0]});
        if (bytes == 4) out.pixels.push_back(p[3]);
      }
    }
  }
  return out;
}

const std::string& ScratchPath() {
  static const std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                  "/wendrix-bmp-" + std::to_string(getpid()) + ".bmp";
  // Registered once the path exists, so that it runs before the path is destroyed.
  static const bool removedAtExit = std::atexit([] { std::remove(path.c_str()); }) == 0;
  (void)removedAtExit;
  return path;
}

[[noreturn]] void Fail(const char* why) {
  std::fprintf(stderr, "LoadBmp disagrees with the reference: %s\n", why);
  std::remove(ScratchPath().c_str());  // abort runs no exit hooks
  std::abort();
}

constexpr uint8_t kHeld = 0x5A;  // the picture held before each load

}  // namespace

bool CheckLoadBmp(const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(ScratchPath().c_str(), "wb");
  if (file == nullptr) Fail("cannot write the scratch file");
  if (size > 0 && std::fwrite(data, 1, size, file) != size) Fail("short write of the scratch file");
  std::fclose(file);

  Image image;
  if (!image.create(2, 2, 24)) Fail("cannot make the held picture");
  std::memset(image.pixels(), kHeld, 12);
  const bool loaded = LoadBmp(ScratchPath().c_str(), &image);
  const Expected expected = Decode(data, size);

  if (loaded != expected.loads)
    Fail(loaded ? "accepted a file it must refuse" : "refused a good file");
  if (!loaded) {
    // Refused before the picture is touched: the held one must be intact.
    if (image.width() != 2 || image.height() != 2 || image.bitsPerPixel() != 24) {
      Fail("a refused file changed the held picture's size");
    }
    for (int i = 0; i < 12; ++i) {
      if (image.pixels()[i] != kHeld) Fail("a refused file changed the held pixels");
    }
    return false;
  }
  if (image.width() != expected.width || image.height() != expected.height ||
      image.bitsPerPixel() != expected.bitsPerPixel) {
    Fail("wrong size or depth");
  }
  if (image.rowStride() != expected.width * (expected.bitsPerPixel / 8)) Fail("wrong row stride");
  if (std::memcmp(image.pixels(), expected.pixels.data(), expected.pixels.size()) != 0) {
    Fail("wrong pixels");
  }
  return true;
}
