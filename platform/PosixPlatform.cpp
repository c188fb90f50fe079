// The platform on Linux: steady_clock, open(2) and fstat, /proc/self/exe and the
// configured prefix.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "cmdline/Arguments.h"
#include "platform/Platform.h"

// An object of its own, with external linkage, rather than a literal the compiler may fold
// into the code: `strings` on the program then shows the directory it was built for.
extern const char kDataDir[];
const char kDataDir[] = WENDRIX_DATADIR;

int64_t PerformanceCounter() { return std::chrono::steady_clock::now().time_since_epoch().count(); }

int64_t PerformanceFrequency() {
  return std::chrono::steady_clock::period::den / std::chrono::steady_clock::period::num;
}

std::FILE* OpenRegularFile(const char* fileName, std::string* why) {
  // Opened without waiting: a FIFO would hold a plain open until some writer came.
  const int fd = ::open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    Fail(why, std::strerror(errno));
    return nullptr;
  }
  struct stat info {};
  const bool known = fstat(fd, &info) == 0;
  const int error = errno;
  const mode_t type = info.st_mode & S_IFMT;
  if (!known || type != S_IFREG) {
    ::close(fd);
    Fail(why, !known             ? std::strerror(error)
              : type == S_IFDIR  ? "it is a directory"
              : type == S_IFIFO  ? "it is a FIFO, not a file"
              : type == S_IFSOCK ? "it is a socket, not a file"
                                 : "it is a device, not a file");
    return nullptr;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  std::FILE* stream = fdopen(fd, "rb");
  if (stream == nullptr) {
    Fail(why, std::strerror(errno));
    ::close(fd);
  }
  return stream;
}

std::string ExecutableDir() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return "";
  std::string exe(path, static_cast<size_t>(length));
  const size_t slash = exe.rfind('/');
  return slash == std::string::npos ? "" : exe.substr(0, slash);
}

std::string InstalledDataDir() { return kDataDir; }
