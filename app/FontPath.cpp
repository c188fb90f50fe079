// Started from anywhere, the program still finds the atlas installed beside it.
#include "app/FontPath.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "cmdline/Arguments.h"
#include "image/Bmp.h"
#include "image/Image.h"
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

namespace {
// The first candidate `use` takes once loaded (it answers null, or why not);
// otherwise says on stderr what was tried.
template <typename Use>
bool LoadFirstFont(Use use) {
  const std::vector<std::string> candidates = FontCandidates(ExecutableDir());
  for (const std::string& candidate : candidates) {
    Image image;
    std::string why;
    if (LoadBmp(candidate.c_str(), &image, &why)) {
      const char* refused = use(image);
      if (refused == nullptr) return true;
      why = refused;
    }
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
}  // namespace

bool LoadFont(Texture& font) {
  return LoadFirstFont([&](const Image& image) {
    return font.createFromImage(image, nullptr) ? nullptr : "GL made no texture of it";
  });
}

bool LoadFontImage(Image* atlas) {
  return LoadFirstFont([&](const Image& image) -> const char* {
    if (image.bitsPerPixel() != 32) return "not 32 bits a pixel";
    if (!atlas->create(image.width(), image.height(), 32)) return "no memory for it";
    std::copy_n(image.pixels(), size_t{image.rowStride()} * image.height(), atlas->pixels());
    return nullptr;
  });
}
