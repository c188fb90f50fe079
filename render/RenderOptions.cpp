// The renderer's options through glibc's getopt_long: each option once (but
// --key-at), values checked as they are read, one reason for every refusal.
// The clock's and --out's own checks are theirs (app/FixedClock, render/OutputPath).
#include "render/RenderOptions.h"

#include <getopt.h>

#include <cstdint>

#include "cmdline/Arguments.h"

namespace {

constexpr int kMaxSide = 8192;  // llvmpipe and most drivers take renderbuffers this big

// A count in range; what is wrong with a value the messages below say alike.
bool Whole(std::string_view text, int minimum, int maximum, int* value) {
  return ParseWhole(text, static_cast<uint64_t>(minimum), static_cast<uint64_t>(maximum), value) ==
         NumberIs::kGood;
}

enum Option { kSize = 1, kFrames, kFrameMs, kFrom, kKeys, kKeyAt, kOut, kQuality, kVersion };
constexpr option kOptions[] = {
    {"size", required_argument, nullptr, kSize},
    {"frames", required_argument, nullptr, kFrames},
    {"frame-ms", required_argument, nullptr, kFrameMs},
    {"from", required_argument, nullptr, kFrom},
    {"keys", required_argument, nullptr, kKeys},
    {"key-at", required_argument, nullptr, kKeyAt},
    {"out", required_argument, nullptr, kOut},
    {"quality", required_argument, nullptr, kQuality},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
};

// One option's value into parsed; false with the reason.
bool Apply(int option, const std::string& value, RenderOptions& parsed, std::string* error) {
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
    case kFrom:
      return Whole(value, 0, INT32_MAX, &parsed.from) ||
             Fail(error, "--from wants a frame number, not \"" + value + "\"");
    case kQuality:
      return Whole(value, 0, 100, &parsed.quality) ||
             Fail(error, "--quality wants a whole number from 0 to 100, not \"" + value + "\"");
    case kOut:
      if (!ParseOutputPattern(value, &parsed.pattern, error) ||
          !ParseOutputFormat(value, &parsed.format, error)) {
        return false;
      }
      return !parsed.pattern.numbered || parsed.format == FilmFormat::kPng ||
             Fail(error, "--out " + value + ": a film is one file; %d numbers PNG frames only");
    default:  // the clock's: --frames, --frame-ms, --keys, --key-at
      return TakeClockOption(kOptions[option - 1].name, value, &parsed, error);
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

std::string RenderUsage() {
  return FillIn(
      "usage: wendrix-render [--size WxH] [--frames N] [--frame-ms MS] [--from FRAME]\n"
      "                      [--keys KEYS] [--key-at FRAME:KEYS]... [--quality Q]\n"
      "                      --out PATH\n"
      "Draws Wendrix frames without a screen and writes them as PNG files or a film.\n"
      "  --size WxH           the window size the program draws at (default {size})\n"
      "  --frames N           draw frames 0 to N-1 (default 1)\n"
      "  --frame-ms MS        frame i is drawn at i x MS milliseconds (default 16);\n"
      "                       a film shows 1000/MS frames a second\n"
      "  --from FRAME         with a numbered PATH or a film, write frames FRAME to N-1\n"
      "  --keys KEYS          keys typed after start-up, before frame 0\n"
      "  --key-at FRAME:KEYS  keys typed just before frame FRAME (may be repeated)\n"
      "  --quality Q          .mp4 and .webm: 0 (smallest) to 100 (best; default 70)\n"
      "  --out PATH           the last frame as PNG; a PATH with %d (e.g. frame%04d.png)\n"
      "                       writes every frame; %% is a percent sign. A film by its\n"
      "                       extension: .mp4 (H.264), .webm (VP9), .mkv (FFV1, lossless),\n"
      "                       .y4m or - (YUV4MPEG2 4:4:4; - is standard output)\n"
      "  --help, --version    this usage or the version, then nothing else\n"
      "KEYS: characters stand for themselves; <esc> <space> <left> <right> <up> <down>\n"
      "for those keys, <lt> for \"<\". Escape fades out and ends the run, as in the\n"
      "program; F keeps the size.\n"
      "A film in one command: wendrix-render --size 1920x1080 --frames 600 --out ripples.mp4\n",
      {{"size", std::to_string(kLaunchWidth) + "x" + std::to_string(kLaunchHeight)}});
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
  const bool film = parsed.format != FilmFormat::kPng;
  if (film && parsed.frameMs == 0) return usage("--frame-ms 0 gives a film no frame rate");
  // x264 takes 4:2:0 pictures of even sides only; VP9 and the other formats take any.
  if (parsed.format == FilmFormat::kMp4 && (parsed.width % 2 != 0 || parsed.height % 2 != 0)) {
    return usage("--size " + std::to_string(parsed.width) + "x" + std::to_string(parsed.height) +
                 ": an .mp4 film needs an even width and height");
  }
  if (parsed.from >= parsed.frames) {
    return usage("--from " + std::to_string(parsed.from) + ": the last frame is " +
                 std::to_string(parsed.frames - 1));
  }
  std::string why;
  if (!CheckClock(parsed, &why)) return usage(why);
  *options = std::move(parsed);
  return ParseResult::kRun;
}
