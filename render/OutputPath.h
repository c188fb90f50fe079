// wendrix-render's --out: where the frames go, with their frame numbers, and
// the film format the path's extension names.
#pragma once

#include <string>
#include <string_view>

// What --out writes, by its extension: PNG frames, or one film.
enum class FilmFormat { kPng, kMp4, kWebm, kMkv, kY4m };

// Where frames go: prefix, the frame number as printf's %<flags><width>d, suffix.
struct OutputPattern {
  std::string prefix;  // with "%%" already turned into "%"
  std::string suffix;
  bool numbered = false;  // false: one file, the last frame
  bool zeroPad = false;
  int width = 0;
};

// The PATH of --out: "%%" is a percent sign; at most one %d, %Nd or %0Nd.
bool ParseOutputPattern(std::string_view path, OutputPattern* pattern, std::string* error);
// The format --out's extension names ("-": YUV4MPEG2 on standard output; a name
// without an extension is PNG); an unknown one is refused, naming those known.
bool ParseOutputFormat(std::string_view path, FilmFormat* format, std::string* error);
std::string FramePath(const OutputPattern& pattern, int frame);
