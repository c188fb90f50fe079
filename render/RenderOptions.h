// wendrix-render's command line: the options, the key syntax and the output
// path with its frame number.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cmdline/Arguments.h"
#include "state/Frame.h"

// One key as the program receives it: a character for the keyboard handler,
// or a special key code (windowsystem/Keys.h) for the special-key handler.
struct KeyPress {
  bool special = false;
  int code = 0;
  bool operator==(const KeyPress&) const = default;
};

// Keys typed just before frame `frame`.
struct TimedKeys {
  int frame = 0;
  std::vector<KeyPress> keys;
  bool operator==(const TimedKeys&) const = default;
};

// Where frames go: prefix, the frame number as printf's %<flags><width>d, suffix.
struct OutputPattern {
  std::string prefix;  // with "%%" already turned into "%"
  std::string suffix;
  bool numbered = false;  // false: one file, the last frame
  bool zeroPad = false;
  int width = 0;
};

struct RenderOptions {
  int width = kLaunchWidth;
  int height = kLaunchHeight;
  int frames = 1;
  int frameMs = 16;
  int from = 0;                  // --from: numbered frames before it are drawn, not written
  std::vector<KeyPress> keys;    // --keys: after Init, before frame 0
  std::vector<TimedKeys> keyAt;  // --key-at, in the order given
  OutputPattern pattern;         // --out, parsed
};

// KEYS: characters stand for themselves; <esc>, <space>, <left>, <right>,
// <up>, <down> name those keys and <lt> stands for "<".
bool ParseKeys(std::string_view text, std::vector<KeyPress>* keys, std::string* error);
// The PATH of --out: "%%" is a percent sign; at most one %d, %Nd or %0Nd.
bool ParseOutputPattern(std::string_view path, OutputPattern* pattern, std::string* error);
std::string FramePath(const OutputPattern& pattern, int frame);
// The arguments after the program name; kUsageError comes with a reason.
ParseResult ParseRenderArguments(const std::vector<std::string>& args, RenderOptions* options,
                                 std::string* error);
const char* RenderUsage();
