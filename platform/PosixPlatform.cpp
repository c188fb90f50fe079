// The platform on Linux: steady_clock, /proc/self/exe and the configured prefix.
#include <unistd.h>

#include <chrono>

#include "platform/Platform.h"

// An object of its own, with external linkage, rather than a literal the compiler may fold
// into the code: `strings` on the program then shows the directory it was built for.
extern const char kDataDir[];
const char kDataDir[] = WENDRIX_DATADIR;

int64_t PerformanceCounter() { return std::chrono::steady_clock::now().time_since_epoch().count(); }

int64_t PerformanceFrequency() {
  return std::chrono::steady_clock::period::den / std::chrono::steady_clock::period::num;
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
