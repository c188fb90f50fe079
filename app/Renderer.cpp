// The renderer runs the same PreInit, Init and DisplayHandler as the GLUT
// program, in the same order, on an OffscreenWindow whose size never changes.
#include "app/Renderer.h"

#include <GL/freeglut_std.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/Clock.h"
#include "app/FrameDriver.h"
#include "app/OffscreenWindow.h"
#include "app/Shell.h"
#include "image/Png.h"

namespace {

constexpr int kMaxSide = 8192;  // llvmpipe and most drivers take renderbuffers this big
constexpr int kMaxPadWidth = 20;

// Decimal digits only, no sign; false on overflow or anything else.
bool ParseCount(std::string_view text, int minimum, int maximum, int* value) {
  if (text.empty()) return false;
  int64_t result = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + (c - '0');
    if (result > maximum) return false;
  }
  if (result < minimum) return false;
  *value = static_cast<int>(result);
  return true;
}

bool Fail(std::string* error, std::string why) {
  if (error != nullptr) *error = std::move(why);
  return false;
}

struct NamedKey {
  std::string_view name;
  KeyPress key;
};
constexpr NamedKey kNamedKeys[] = {
    {"esc", {false, 27}},
    {"space", {false, ' '}},
    {"lt", {false, '<'}},
    {"left", {true, GLUT_KEY_LEFT}},
    {"right", {true, GLUT_KEY_RIGHT}},
    {"up", {true, GLUT_KEY_UP}},
    {"down", {true, GLUT_KEY_DOWN}},
};

// --- the run: its clock, and the frame the fade-out's exit leaves behind ---

int64_t renderCounter = 0;  // milliseconds; the counter the clock reads
int64_t RenderCounter() { return renderCounter; }

struct PendingFrame {
  std::string path;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // empty: nothing left to write
};
PendingFrame pending;

bool WritePending() {
  if (pending.rgb.empty()) return true;
  std::string error;
  const bool written = WritePng(pending.path, pending.width, pending.height, pending.rgb, &error);
  pending.rgb.clear();
  if (!written) std::fprintf(stderr, "wendrix-render: %s\n", error.c_str());
  return written;
}

// Runs when the program's own exit ends the process during a frame: the frame
// being drawn is never shown, so the last one drawn before it is the output.
void WritePendingAtExit() {
  if (!WritePending()) std::_Exit(1);
}

// Catches the common mistakes before any frame is drawn: a folder that is not
// there, or a PATH that is a folder. Whatever else fails shows at the write.
bool CheckOutputPath(const std::string& path, std::string* error) {
  struct stat info {};
  if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    return Fail(error, "cannot write " + path + ": it is a directory");
  }
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return true;
  const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
  if (stat(folder.c_str(), &info) != 0) {
    return Fail(error, "cannot write " + path + ": " + folder + ": " + std::strerror(errno));
  }
  if (!S_ISDIR(info.st_mode)) {
    return Fail(error, "cannot write " + path + ": " + folder + " is not a directory");
  }
  return true;
}

void Type(OffscreenWindow& window, const std::vector<KeyPress>& keys) {
  for (const KeyPress& key : keys) {
    if (key.special) {
      window.Special(key.code);
    } else {
      window.Key(static_cast<unsigned char>(key.code));
    }
  }
}

}  // namespace

bool ParseKeys(std::string_view text, std::vector<KeyPress>* keys, std::string* error) {
  std::vector<KeyPress> parsed;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '<') {
      parsed.push_back({false, static_cast<unsigned char>(text[i])});
      continue;
    }
    const size_t close = text.find('>', i + 1);
    if (close == std::string_view::npos) {
      return Fail(error, "unterminated key name at \"" + std::string(text.substr(i)) +
                             R"x(" (write <lt> for "<"))x");
    }
    const std::string_view name = text.substr(i + 1, close - i - 1);
    bool known = false;
    for (const NamedKey& named : kNamedKeys) {
      if (named.name == name) {
        parsed.push_back(named.key);
        known = true;
        break;
      }
    }
    if (!known) {
      return Fail(error, "unknown key <" + std::string(name) +
                             "> (known: <esc> <space> <left> <right> <up> <down> <lt>)");
    }
    i = close;
  }
  *keys = std::move(parsed);
  return true;
}

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
    if (j > digits && !ParseCount(path.substr(digits, j - digits), 0, kMaxPadWidth, &width)) {
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

std::string FramePath(const OutputPattern& pattern, int frame) {
  if (!pattern.numbered) return pattern.prefix;
  std::string number = std::to_string(frame);
  if (static_cast<int>(number.size()) < pattern.width) {
    number.insert(0, static_cast<size_t>(pattern.width) - number.size(),
                  pattern.zeroPad ? '0' : ' ');
  }
  return pattern.prefix + number + pattern.suffix;
}

const char* RenderUsage() {
  return "usage: wendrix-render [--size WxH] [--frames N] [--frame-ms MS] [--keys KEYS]\n"
         "                      [--key-at FRAME:KEYS]... --out PATH\n"
         "Draws Wendrix frames without a screen and writes them as PNG files.\n"
         "  --size WxH           the window size the program draws at (default 640x480)\n"
         "  --frames N           draw frames 0 to N-1 (default 1)\n"
         "  --frame-ms MS        frame i is drawn at i x MS milliseconds (default 16)\n"
         "  --keys KEYS          keys typed after start-up, before frame 0\n"
         "  --key-at FRAME:KEYS  keys typed just before frame FRAME (may be repeated)\n"
         "  --out PATH           the last frame as PNG; a PATH with %d (e.g. frame%04d.png)\n"
         "                       writes every frame; %% is a percent sign\n"
         "KEYS: characters stand for themselves; <esc> <space> <left> <right> <up> <down>\n"
         "for those keys, <lt> for \"<\". Escape fades out and ends the run, as in the\n"
         "program; F keeps the size.\n";
}

ParseResult ParseRenderArguments(const std::vector<std::string>& args, RenderOptions* options,
                                 std::string* error) {
  RenderOptions parsed;
  bool seenSize = false, seenFrames = false, seenMs = false, seenKeys = false, seenOut = false;
  auto usage = [error](std::string why) {
    Fail(error, std::move(why));
    return ParseResult::kUsageError;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    std::string option = args[i];
    std::string value;
    bool hasValue = false;
    if (option == "--help" || option == "-h") return ParseResult::kHelp;
    if (option.rfind("--", 0) == 0 && option.find('=') != std::string::npos) {
      value = option.substr(option.find('=') + 1);
      option = option.substr(0, option.find('='));
      hasValue = true;
    }
    const bool known = option == "--size" || option == "--frames" || option == "--frame-ms" ||
                       option == "--keys" || option == "--key-at" || option == "--out";
    if (!known) return usage("unknown argument \"" + args[i] + "\"");
    if (!hasValue) {
      if (i + 1 >= args.size()) return usage(option + " needs a value");
      value = args[++i];
    }
    auto once = [&](bool& seen) {
      const bool first = !seen;
      seen = true;
      return first;
    };
    if (option == "--size") {
      if (!once(seenSize)) return usage("--size given twice");
      const size_t x = value.find('x');
      if (x == std::string::npos ||
          !ParseCount(std::string_view(value).substr(0, x), 1, kMaxSide, &parsed.width) ||
          !ParseCount(std::string_view(value).substr(x + 1), 1, kMaxSide, &parsed.height)) {
        return usage("--size wants WIDTHxHEIGHT, each 1 to " + std::to_string(kMaxSide) +
                     ", not \"" + value + "\"");
      }
    } else if (option == "--frames") {
      if (!once(seenFrames)) return usage("--frames given twice");
      if (!ParseCount(value, 1, INT32_MAX, &parsed.frames)) {
        return usage("--frames wants a whole number of at least 1, not \"" + value + "\"");
      }
    } else if (option == "--frame-ms") {
      if (!once(seenMs)) return usage("--frame-ms given twice");
      if (!ParseCount(value, 0, INT32_MAX, &parsed.frameMs)) {
        return usage("--frame-ms wants a whole number of milliseconds, not \"" + value + "\"");
      }
    } else if (option == "--keys") {
      if (!once(seenKeys)) return usage("--keys given twice");
      std::string why;
      if (!ParseKeys(value, &parsed.keys, &why)) return usage("--keys: " + why);
    } else if (option == "--key-at") {
      const size_t colon = value.find(':');
      TimedKeys timed;
      if (colon == std::string::npos ||
          !ParseCount(std::string_view(value).substr(0, colon), 0, INT32_MAX, &timed.frame)) {
        return usage("--key-at wants FRAME:KEYS, not \"" + value + "\"");
      }
      std::string why;
      if (!ParseKeys(std::string_view(value).substr(colon + 1), &timed.keys, &why)) {
        return usage("--key-at: " + why);
      }
      parsed.keyAt.push_back(std::move(timed));
    } else {  // --out
      if (!once(seenOut)) return usage("--out given twice");
      std::string why;
      if (!ParseOutputPattern(value, &parsed.pattern, &why)) return usage(why);
      parsed.out = value;
    }
  }
  if (!seenOut) return usage("--out PATH is required");
  for (const TimedKeys& timed : parsed.keyAt) {
    if (timed.frame >= parsed.frames) {
      return usage("--key-at " + std::to_string(timed.frame) + ": the last frame is " +
                   std::to_string(parsed.frames - 1));
    }
  }
  *options = std::move(parsed);
  return ParseResult::kRun;
}

int RunRenderer(const RenderOptions& options) {
  std::string error;
  if (!CheckOutputPath(FramePath(options.pattern, 0), &error)) {
    std::fprintf(stderr, "wendrix-render: %s\n", error.c_str());
    return 1;
  }
  // The order of RunWendrix: PreInit, the window, the clock started, Init.
  elapsedMs = 0;
  if (!PreInit()) {
    std::fputs("wendrix-render: PreInit failed\n", stderr);
    return 1;
  }
  // Lives to process exit, past the static destructors that still make GL calls.
  auto* window = new OffscreenWindow;
  if (!window->Open(options.width, options.height, &error)) {
    std::fprintf(stderr, "wendrix-render: no offscreen OpenGL context: %s\n", error.c_str());
    return 1;
  }
  UseWindow(window);
  ReshapeHandler(options.width, options.height);
  renderCounter = 0;
  SetCounterSource(RenderCounter, 1000);
  StartClock();
  if (!Init()) {
    std::fputs("wendrix-render: Init failed\n", stderr);
    return 1;
  }
  // Registered after Init's statics, so it runs before their destructors.
  std::atexit(WritePendingAtExit);

  Type(*window, options.keys);
  for (int frame = 0; frame < options.frames; ++frame) {
    for (const TimedKeys& timed : options.keyAt) {
      if (timed.frame == frame) Type(*window, timed.keys);
    }
    renderCounter = static_cast<int64_t>(frame) * options.frameMs;
    DisplayHandler();  // the clock, RenderFrame and the swap, as GLUT runs them

    const bool last = frame + 1 == options.frames;
    // While the fade runs, the next frame may be the one that ends the program.
    if (options.pattern.numbered || last || fadeLevel < 1.0f) {
      pending.path = FramePath(options.pattern, frame);
      pending.width = options.width;
      pending.height = options.height;
      pending.rgb = window->ReadRgb();
    }
    if ((options.pattern.numbered || last) && !WritePending()) return 1;
  }
  return 0;
}

int RenderMain(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  RenderOptions options;
  std::string error;
  switch (ParseRenderArguments(args, &options, &error)) {
    case ParseResult::kHelp: std::fputs(RenderUsage(), stdout); return 0;
    case ParseResult::kUsageError:
      std::fprintf(stderr, "wendrix-render: %s\n%s", error.c_str(), RenderUsage());
      return 2;
    case ParseResult::kRun: break;
  }
  return RunRenderer(options);
}
