// libpng's simplified API. A frame is encoded in memory first, then goes to its
// path as the path asks: written aside and renamed over a regular file or a new
// name, so that a failed write damages nothing; written into anything else (a
// device, a FIFO, standard output) and through a symbolic link in place, opened
// as the kernel opens it, so that its protections of shared folders hold.
#include "image/Png.h"

#include <fcntl.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>

#include "cmdline/Arguments.h"

namespace {
// The aside file, named before it is made, so that a signal's handler can remove it.
char asidePath[PATH_MAX];
volatile std::sig_atomic_t asideNamed = 0;

// Each writer gives 0, or the errno of the first thing that failed.
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

// A short name of its own in the path's folder: any legal name still fits beside it.
int WriteAside(const std::string& path, const std::vector<uint8_t>& png, mode_t mode) {
  const size_t slash = path.rfind('/');
  const std::string aside =
      (slash == std::string::npos ? std::string(".") : path.substr(0, slash)) + "/.wendrix-XXXXXX";
  if (aside.size() >= sizeof asidePath) return ENAMETOOLONG;
  std::memcpy(asidePath, aside.c_str(), aside.size() + 1);
  asideNamed = 1;
  const int fd = mkstemp(asidePath);
  int why = fd < 0 ? errno : 0;
  if (fd >= 0) {
    fchmod(fd, mode);
    why = WriteAll(fd, png, false);
    if (close(fd) != 0 && why == 0) why = errno;
    if (why == 0 && std::rename(asidePath, path.c_str()) != 0) why = errno;
    if (why != 0) unlink(asidePath);
  }
  asideNamed = 0;
  return why;
}

// Into the thing the path names. A regular file behind a link gets the room for
// the whole file first, so that a full disk refuses before anything is overwritten.
int WriteInPlace(const std::string& path, const std::vector<uint8_t>& png) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  struct stat info {};
  const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  const auto size = static_cast<off_t>(png.size());
  int why = regular ? posix_fallocate(fd, 0, size) : 0;
  if (why == 0) why = WriteAll(fd, png, regular);
  if (why == 0 && regular && ftruncate(fd, size) != 0) why = errno;
  if (close(fd) != 0 && why == 0) why = errno;
  return why;
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
  struct stat info {};
  int why = lstat(path.c_str(), &info) == 0 ? 0 : errno;
  if (why == ENOENT) {
    const mode_t mask = umask(0);
    umask(mask);
    why = WriteAside(path, png, 0666 & ~mask);
  } else if (why == 0 && S_ISREG(info.st_mode)) {
    // A file the shell's > could not write is not replaced either; no set-id bit is handed on.
    why = access(path.c_str(), W_OK) == 0 ? WriteAside(path, png, info.st_mode & 0777) : errno;
    // A folder we may not change, or a sticky one holding another's file, still lets the
    // writable file itself be written, in place.
    if (why == EACCES || why == EPERM) why = WriteInPlace(path, png);
  } else if (why == 0 && S_ISDIR(info.st_mode)) {
    why = EISDIR;
  } else if (why == 0) {
    why = WriteInPlace(path, png);
  }
  return why == 0 || Fail(error, "cannot write " + path + ": " + std::strerror(why));
}

void RemovePngAside() {
  if (asideNamed != 0) unlink(asidePath);
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
