// --out's path read once, up front, so that a bad one is refused before any
// frame is drawn.
#include "render/OutputPath.h"

#include "cmdline/Arguments.h"

namespace {

constexpr int kMaxPadWidth = 20;

struct NamedFormat {
  std::string_view extension;
  FilmFormat format;
};
constexpr NamedFormat kFormats[] = {
    {"png", FilmFormat::kPng}, {"mp4", FilmFormat::kMp4}, {"webm", FilmFormat::kWebm},
    {"mkv", FilmFormat::kMkv}, {"y4m", FilmFormat::kY4m},
};

}  // namespace

bool ParseOutputPattern(std::string_view path, OutputPattern* pattern, std::string* error) {
  if (path.empty()) return Fail(error, "--out needs a file name");
  OutputPattern parsed;
  std::string* part = &parsed.prefix;
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] != '%') {
      part->push_back(path[i]);
      continue;
    }
    size_t j = i + 1;
    if (j < path.size() && path[j] == '%') {
      part->push_back('%');
      i = j;
      continue;
    }
    bool zeroPad = false;
    if (j < path.size() && path[j] == '0') {
      zeroPad = true;
      ++j;
    }
    const size_t digits = j;
    while (j < path.size() && path[j] >= '0' && path[j] <= '9') ++j;
    int width = 0;
    if (j > digits &&
        ParseWhole(path.substr(digits, j - digits), 0, kMaxPadWidth, &width) != NumberIs::kGood) {
      return Fail(error,
                  "frame number width in --out is more than " + std::to_string(kMaxPadWidth));
    }
    if (j >= path.size() || path[j] != 'd') {
      return Fail(error,
                  "--out " + std::string(path) + ": only %d (as in %04d) and %% may follow a %");
    }
    if (parsed.numbered) return Fail(error, "--out " + std::string(path) + " has more than one %d");
    parsed.numbered = true;
    parsed.zeroPad = zeroPad;
    parsed.width = width;
    part = &parsed.suffix;
    i = j;
  }
  *pattern = std::move(parsed);
  return true;
}

bool ParseOutputFormat(std::string_view path, FilmFormat* format, std::string* error) {
  if (path == "-") {
    *format = FilmFormat::kY4m;
    return true;
  }
  const size_t slash = path.rfind('/');
  const std::string_view name = path.substr(slash == std::string_view::npos ? 0 : slash + 1);
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) {  // frame, /dev/stdout, .hidden: PNG
    *format = FilmFormat::kPng;
    return true;
  }
  std::string extension(name.substr(dot + 1));
  for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  for (const NamedFormat& known : kFormats) {
    if (known.extension == extension) {
      *format = known.format;
      return true;
    }
  }
  return Fail(error, "--out " + std::string(path) + ": unknown extension \"." +
                         std::string(name.substr(dot + 1)) +
                         "\" (known: .png .mp4 .webm .mkv .y4m, and - for standard output)");
}

std::string FramePath(const OutputPattern& pattern, int frame) {
  if (!pattern.numbered) return pattern.prefix;
  std::string number = std::to_string(frame);
  if (static_cast<int>(number.size()) < pattern.width) {
    number.insert(0, static_cast<size_t>(pattern.width) - number.size(),
                  pattern.zeroPad ? '0' : ' ');
  }
  return pattern.prefix + number + pattern.suffix;
}
