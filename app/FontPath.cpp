// Started from anywhere, the program still finds the atlas installed beside it.
#include "app/FontPath.h"

#include <unistd.h>

#include <cstdio>

#include "image/Bmp.h"
#include "image/Texture.h"

// An object of its own, with external linkage, rather than a literal the compiler may fold
// into the code: `strings` on the program then shows the directory it was built for.
const char kDataDir[] = WENDRIX_DATADIR;

namespace {
constexpr const char* kFontName = "font.bmp";
}

std::vector<std::string> FontCandidates(const std::string& executableDir) {
  std::vector<std::string> candidates = {kFontName};
  if (!executableDir.empty()) {
    candidates.push_back(executableDir + "/" + kFontName);
    candidates.push_back(executableDir + "/../share/wendrix/" + kFontName);
    candidates.push_back(executableDir + "/../../share/wendrix/" + kFontName);
  }
  candidates.push_back(std::string(kDataDir) + "/" + kFontName);
  return candidates;
}

std::string ExecutableDir() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return "";
  std::string exe(path, static_cast<size_t>(length));
  const size_t slash = exe.rfind('/');
  return slash == std::string::npos ? "" : exe.substr(0, slash);
}

bool LoadFont(Texture& font) {
  const std::vector<std::string> candidates = FontCandidates(ExecutableDir());
  for (const std::string& candidate : candidates) {
    if (font.loadFromFile(candidate.c_str(), LoadBmp)) return true;
    // Someone trying out an atlas of their own wants to know it was passed over.
    if (access(candidate.c_str(), F_OK) == 0) {
      std::fprintf(stderr, "wendrix: %s refused: not an uncompressed 8, 24 or 32-bit BMP\n",
                   candidate.c_str());
    }
  }
  std::string tried;
  for (const std::string& candidate : candidates) tried += (tried.empty() ? "" : ", ") + candidate;
  std::fprintf(stderr, "wendrix: no usable %s, text shows as blocks; tried %s\n", kFontName,
               tried.c_str());
  return false;
}
