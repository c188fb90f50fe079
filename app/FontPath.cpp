// Started from anywhere, the program still finds the atlas installed beside it.
#include "app/FontPath.h"

#include <unistd.h>

#include "image/Bmp.h"
#include "image/Texture.h"
#include "shared/Arguments.h"

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
    Image image;
    std::string why;
    if (LoadBmp(candidate.c_str(), &image, &why)) {
      if (font.createFromImage(image, nullptr)) return true;
      why = "GL made no texture of it";
    }
    // Someone trying out an atlas of their own wants to know it was passed over, and why.
    if (access(candidate.c_str(), F_OK) == 0) PrintFailure(why.insert(0, candidate + " refused: "));
  }
  std::string line = std::string("no usable ") + kFontName + ", text shows as blocks; tried ";
  for (const std::string& candidate : candidates) {
    line += candidate == candidates.front() ? "" : ", ";
    line += candidate;
  }
  PrintFailure(line);
  return false;
}
