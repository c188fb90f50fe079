// libpng's simplified API; files are opened here so that an unwritable path
// is reported with the system's reason.
#include "image/Png.h"

#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
bool Fail(std::string* error, const std::string& why) {
  if (error != nullptr) *error = why;
  return false;
}
}  // namespace

bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb,
              std::string* error) {
  if (width <= 0 || height <= 0 ||
      rgb.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 3) {
    return Fail(error, "cannot write " + path + ": no pixels or a size that does not match them");
  }
  // Written aside and renamed over the file, so that a failed write never damages
  // what was there; through a symbolic link, the file it names is replaced.
  char resolved[PATH_MAX];
  const std::string target = realpath(path.c_str(), resolved) != nullptr ? resolved : path;
  std::string aside = target + ".XXXXXX";
  const int fd = mkstemp(aside.data());
  if (fd < 0) return Fail(error, "cannot write " + path + ": " + std::strerror(errno));
  struct stat old {};
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, stat(target.c_str(), &old) == 0 ? old.st_mode & 07777 : 0666 & ~mask);
  std::FILE* file = fdopen(fd, "wb");

  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  const bool written =
      png_image_write_to_stdio(&image, file, 0, rgb.data(), width * 3, nullptr) != 0;
  const std::string libpngMessage = image.message;
  png_image_free(&image);
  const int writeErrno = std::ferror(file) ? errno : 0;
  const bool closed = std::fclose(file) == 0;
  const int closeErrno = errno;
  if (written && closed && writeErrno == 0 && std::rename(aside.c_str(), target.c_str()) == 0) {
    return true;
  }
  const int renameErrno = errno;
  std::remove(aside.c_str());
  const std::string why = writeErrno != 0 ? std::strerror(writeErrno)
                          : !closed       ? std::strerror(closeErrno)
                          : !written      ? libpngMessage
                                          : std::strerror(renameErrno);
  return Fail(error, "cannot write " + path + ": " + why);
}

bool ReadPng(const std::string& path, RgbImage* out, std::string* error) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
    const std::string why = image.message;
    png_image_free(&image);
    return Fail(error, "cannot read " + path + ": " + why);
  }
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
    const std::string why = image.message;
    png_image_free(&image);
    return Fail(error, "cannot read " + path + ": " + why);
  }
  out->width = static_cast<int>(image.width);
  out->height = static_cast<int>(image.height);
  out->rgb = std::move(pixels);
  png_image_free(&image);
  return true;
}
