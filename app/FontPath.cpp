// Started from anywhere, the program still finds the atlas installed beside it.
#include "app/FontPath.h"

#include <filesystem>
#include <system_error>

#include "cmdline/Arguments.h"
#include "image/Bmp.h"
#include "image/Image.h"
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

bool LoadFontImage(Image* atlas) {
  const std::vector<std::string> candidates = FontCandidates(ExecutableDir());
  for (const std::string& candidate : candidates) {
    std::string why;
    if (LoadBmp(candidate.c_str(), atlas, &why)) return true;
    // Someone trying out an atlas of their own wants to know it was passed over, and why.
    std::error_code ignored;
    if (std::filesystem::exists(candidate, ignored)) {
      PrintFailure(why.insert(0, candidate + " refused: "));
    }
  }
  std::string line = std::string("no usable ") + kFontName + ", text shows as blocks; tried ";
  for (const std::string& candidate : candidates) {
    line += candidate == candidates.front() ? "" : ", ";
    line += candidate;
  }
  PrintFailure(line);
  return false;
}
