// The renderer's options through glibc's getopt_long: each option once (but
// --key-at), values checked as they are read, one reason for every refusal.
#include "render/RenderOptions.h"

#include <getopt.h>

#include <cstdint>

#include "cmdline/Arguments.h"
#include "windowsystem/Keys.h"

namespace {

constexpr int kMaxSide = 8192;  // llvmpipe and most drivers take renderbuffers this big
constexpr int kMaxPadWidth = 20;

// A count in range; what is wrong with a value the messages below say alike.
bool Whole(std::string_view text, int minimum, int maximum, int* value) {
  return ParseWhole(text, static_cast<uint64_t>(minimum), static_cast<uint64_t>(maximum), value) ==
         NumberIs::kGood;
}

struct NamedKey {
  std::string_view name;
  KeyPress key;
};
constexpr NamedKey kNamedKeys[] = {
    {"esc", {false, 27}},       {"space", {false, ' '}},      {"lt", {false, '<'}},
    {"left", {true, kKeyLeft}}, {"right", {true, kKeyRight}}, {"up", {true, kKeyUp}},
    {"down", {true, kKeyDown}},
};

enum Option { kSize = 1, kFrames, kFrameMs, kFrom, kKeys, kKeyAt, kOut, kVersion };
constexpr option kOptions[] = {
    {"size", required_argument, nullptr, kSize},
    {"frames", required_argument, nullptr, kFrames},
    {"frame-ms", required_argument, nullptr, kFrameMs},
    {"from", required_argument, nullptr, kFrom},
    {"keys", required_argument, nullptr, kKeys},
    {"key-at", required_argument, nullptr, kKeyAt},
    {"out", required_argument, nullptr, kOut},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
};

// One option's value into parsed; false with the reason.
bool Apply(int option, const std::string& value, RenderOptions& parsed, std::string* error) {
  std::string why;
  switch (option) {
    case kSize: {
      const size_t x = value.find('x');
      if (x == std::string::npos ||
          !Whole(std::string_view(value).substr(0, x), 1, kMaxSide, &parsed.width) ||
          !Whole(std::string_view(value).substr(x + 1), 1, kMaxSide, &parsed.height)) {
        return Fail(error, "--size wants WIDTHxHEIGHT, each 1 to " + std::to_string(kMaxSide) +
                               ", not \"" + value + "\"");
      }
      return true;
    }
    case kFrames:
      return Whole(value, 1, INT32_MAX, &parsed.frames) ||
             Fail(error, "--frames wants a whole number of at least 1, not \"" + value + "\"");
    case kFrameMs:
      return Whole(value, 0, INT32_MAX, &parsed.frameMs) ||
             Fail(error, "--frame-ms wants a whole number of milliseconds, not \"" + value + "\"");
    case kFrom:
      return Whole(value, 0, INT32_MAX, &parsed.from) ||
             Fail(error, "--from wants a frame number, not \"" + value + "\"");
    case kKeys: return ParseKeys(value, &parsed.keys, &why) || Fail(error, "--keys: " + why);
    case kKeyAt: {
      const size_t colon = value.find(':');
      TimedKeys timed;
      if (colon == std::string::npos ||
          !Whole(std::string_view(value).substr(0, colon), 0, INT32_MAX, &timed.frame)) {
        return Fail(error, "--key-at wants FRAME:KEYS, not \"" + value + "\"");
      }
      if (!ParseKeys(std::string_view(value).substr(colon + 1), &timed.keys, &why)) {
        return Fail(error, "--key-at: " + why);
      }
      parsed.keyAt.push_back(std::move(timed));
      return true;
    }
    default: return ParseOutputPattern(value, &parsed.pattern, error);  // --out
  }
}

// "ambiguous" for the start of more than one option's name (--fr), else "unknown".
std::string Ambiguous(std::string_view name) {
  int matches = 0;
  for (const option& known : kOptions) {
    matches += known.name != nullptr && name.size() > 2 &&
               std::string_view(known.name).starts_with(name.substr(2));
  }
  return matches > 1 ? "ambiguous" : "unknown";
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
    if (j > digits && !Whole(path.substr(digits, j - digits), 0, kMaxPadWidth, &width)) {
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
  return "usage: wendrix-render [--size WxH] [--frames N] [--frame-ms MS] [--from FRAME]\n"
         "                      [--keys KEYS] [--key-at FRAME:KEYS]... --out PATH\n"
         "Draws Wendrix frames without a screen and writes them as PNG files.\n"
         "  --size WxH           the window size the program draws at (default 640x480)\n"
         "  --frames N           draw frames 0 to N-1 (default 1)\n"
         "  --frame-ms MS        frame i is drawn at i x MS milliseconds (default 16)\n"
         "  --from FRAME         with a numbered PATH, write frames FRAME to N-1 only\n"
         "  --keys KEYS          keys typed after start-up, before frame 0\n"
         "  --key-at FRAME:KEYS  keys typed just before frame FRAME (may be repeated)\n"
         "  --out PATH           the last frame as PNG; a PATH with %d (e.g. frame%04d.png)\n"
         "                       writes every frame; %% is a percent sign\n"
         "  --help, --version    this usage or the version, then nothing else\n"
         "KEYS: characters stand for themselves; <esc> <space> <left> <right> <up> <down>\n"
         "for those keys, <lt> for \"<\". Escape fades out and ends the run, as in the\n"
         "program; F keeps the size.\n";
}

ParseResult ParseRenderArguments(const std::vector<std::string>& args, RenderOptions* options,
                                 std::string* error) {
  std::vector<std::string> words = {"wendrix-render"};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  argv.reserve(words.size() + 1);
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(words.size());

  RenderOptions parsed;
  bool seen[kVersion + 1] = {};
  auto usage = [error](std::string why) {
    Fail(error, std::move(why));
    return ParseResult::kUsageError;
  };
  optind = 0;  // glibc: start over, whatever an earlier parse left
  opterr = 0;  // the reasons below replace getopt's own messages
  for (int option; (option = getopt_long(argc, argv.data(), "+:h", kOptions, nullptr)) != -1;) {
    // optopt holds the short option getopt did not know, or else 0 or the value of the
    // long option at fault in the word before (--help=1 leaves 'h'), which -h never does.
    const bool shortOption = optopt > ' ' && optopt != 'h';
    const std::string word = option == '?' || option == ':'
                                 ? (shortOption ? std::string("-") + static_cast<char>(optopt)
                                                : std::string(argv[optind - 1]))
                                 : "";
    const std::string name = word.substr(0, word.find('='));
    if (option == '?' && !shortOption && optopt != 0) return usage(name + " takes no value");
    if (option == '?') return usage(Ambiguous(name) + " argument \"" + word + "\"");
    if (option == ':') return usage(name + " needs a value");
    if (option == 'h') return ParseResult::kHelp;
    if (option == kVersion) return ParseResult::kVersion;
    if (option != kKeyAt && seen[option]) {
      return usage("--" + std::string(kOptions[option - 1].name) + " given twice");
    }
    seen[option] = true;
    if (!Apply(option, optarg, parsed, error)) return ParseResult::kUsageError;
  }
  if (optind < argc) return usage("unknown argument \"" + std::string(argv[optind]) + "\"");
  if (!seen[kOut]) return usage("--out PATH is required");
  if (parsed.from >= parsed.frames) {
    return usage("--from " + std::to_string(parsed.from) + ": the last frame is " +
                 std::to_string(parsed.frames - 1));
  }
  for (const TimedKeys& timed : parsed.keyAt) {
    if (timed.frame >= parsed.frames) {
      return usage("--key-at " + std::to_string(timed.frame) + ": the last frame is " +
                   std::to_string(parsed.frames - 1));
    }
  }
  *options = std::move(parsed);
  return ParseResult::kRun;
}
