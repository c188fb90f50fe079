// Started from anywhere, the program still finds the atlas installed beside it.
#include "app/FontPath.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "image/Bmp.h"
#include "image/Texture.h"
#include "platform/Platform.h"

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
  const std::string dataDir = InstalledDataDir();
  if (!dataDir.empty()) candidates.push_back(dataDir + "/" + kFontName);
  return candidates;
}

bool LoadFont(Texture& font) {
  const std::vector<std::string> candidates = FontCandidates(ExecutableDir());
  for (const std::string& candidate : candidates) {
    if (font.loadFromFile(candidate.c_str(), LoadBmp)) return true;
    // Someone trying out an atlas of their own wants to know it was passed over.
    std::error_code ignored;
    if (std::filesystem::exists(candidate, ignored)) {
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
