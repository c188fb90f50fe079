// libpng's simplified API. A frame is encoded in memory first, then goes to its
// path as the path asks: written aside and renamed over a regular file or a new
// name, so that a failed write damages nothing; written into anything else (a
// device, a FIFO, standard output) and through a symbolic link in place, opened
// as the kernel opens it, so that its protections of shared folders hold.
#include "image/Png.h"

#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cmdline/Arguments.h"
#include "image/OutputFile.h"

namespace {
// 0, or the errno of the first thing that failed; from the start of the file when in place.
int WriteAll(int fd, const std::vector<uint8_t>& data, bool fromStart) {
  for (size_t done = 0; done < data.size();) {
    const size_t left = data.size() - done;
    const ssize_t wrote = fromStart ? pwrite(fd, &data[done], left, static_cast<off_t>(done))
                                    : write(fd, &data[done], left);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return wrote < 0 ? errno : EIO;
    done += static_cast<size_t>(wrote);
  }
  return 0;
}

// The one decoder: an image libpng has begun to read, finished as `format`.
bool FinishRead(png_image& image, uint32_t format, int* width, int* height,
                std::vector<uint8_t>* pixels) {
  image.format = format;
  std::vector<uint8_t> read(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, read.data(), 0, nullptr) == 0) return false;
  *width = static_cast<int>(image.width);
  *height = static_cast<int>(image.height);
  *pixels = std::move(read);
  return true;
}
}  // namespace

bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb,
              std::string* error) {
  if (width <= 0 || height <= 0 ||
      rgb.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 3) {
    return Fail(error, "cannot write " + path + ": no pixels or a size that does not match them");
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  // Room for the largest file these pixels can make, so that one pass encodes them.
  std::vector<uint8_t> png(PNG_IMAGE_PNG_SIZE_MAX(image));
  png_alloc_size_t size = png.size();
  if (png_image_write_to_memory(&image, png.data(), &size, 0, rgb.data(), width * 3, nullptr) ==
      0) {
    const std::string why = image.message;
    png_image_free(&image);
    return Fail(error, "cannot write " + path + ": " + why);
  }
  png_image_free(&image);
  png.resize(size);
  OutputFile out;
  if (!out.Open(path, error)) return false;
  // A regular file written in place gets the room for the whole file first, so that a
  // full disk refuses before anything is overwritten.
  const bool inPlace = out.regularInPlace();
  const auto bytes = static_cast<off_t>(png.size());
  int why = inPlace ? posix_fallocate(out.fd(), 0, bytes) : 0;
  if (why == 0) why = WriteAll(out.fd(), png, inPlace);
  if (why == 0 && inPlace && ftruncate(out.fd(), bytes) != 0) why = errno;
  if (why != 0) return Fail(error, "cannot write " + path + ": " + std::strerror(why));
  return out.Commit(error);
}

bool ReadPng(const std::string& path, RgbImage* out, std::string* error) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  const bool read = png_image_begin_read_from_file(&image, path.c_str()) != 0 &&
                    FinishRead(image, PNG_FORMAT_RGB, &out->width, &out->height, &out->rgb);
  const std::string why = read ? "" : image.message;
  png_image_free(&image);
  return read || Fail(error, "cannot read " + path + ": " + why);
}

bool DecodePngRgba(std::span<const uint8_t> png, int* width, int* height,
                   std::vector<uint8_t>* rgba) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  const bool read = png_image_begin_read_from_memory(&image, png.data(), png.size()) != 0 &&
                    FinishRead(image, PNG_FORMAT_RGBA, width, height, rgba);
  png_image_free(&image);
  return read;
}
