// Every value is checked against its range here, so that a bad one is named
// before any window is touched; the picture's options are the Scene's.
#include "saver/SaverOptions.h"

#include <getopt.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/Defaults.h"
#include "cmdline/Arguments.h"
#include "saver/Scene.h"

namespace {
// The hack's own options; the picture's come before them, numbered from kFirstScene
// in the order of the scene's table. Above every character, so no short option is meant.
enum OptionCode : int {
  kFirstScene = 256,
  kDelay = 512,
  kRoot,
  kWindowId,
  kHelp,
  kVersion,
};

// getopt's table: the scene's options, then the hack's own; made on first use,
// after the scene's table.
std::vector<option> MakeOptions() {
  std::vector<option> options;
  int code = kFirstScene;
  for (const SceneOption& scene : SceneOptionTable()) {
    options.push_back(
        {scene.name, scene.wants.empty() ? no_argument : required_argument, nullptr, code++});
  }
  options.insert(options.end(), {
                                    {"delay", required_argument, nullptr, kDelay},
                                    {"root", no_argument, nullptr, kRoot},
                                    {"window-id", required_argument, nullptr, kWindowId},
                                    {"help", no_argument, nullptr, kHelp},
                                    {"version", no_argument, nullptr, kVersion},
                                    {nullptr, 0, nullptr, 0},
                                });
  return options;
}
const std::vector<option>& Options() {
  static const std::vector<option> options = MakeOptions();
  return options;
}

constexpr uint64_t kMaxDelayUs = 10000000;     // ten seconds a frame
constexpr uint64_t kMaxWindowId = 0x1fffffff;  // X ids are 29 bits; 0 is None

const char* NameOf(int code) {
  for (const option& entry : Options()) {
    if (entry.val == code) return entry.name;
  }
  return "?";
}

// One option into options; false with the reason, which names the option.
bool Take(int code, const char* value, SaverOptions* options, std::string* error) {
  const std::string named = std::string("--") + NameOf(code);
  std::string why;
  switch (code) {
    case kDelay:
      return ParseWhole(value, 0, kMaxDelayUs, &options->delayUs) == NumberIs::kGood ||
             Fail(error, named + " wants microseconds from 0 to 10000000, not \"" + value + "\"");
    case kRoot: options->root = true; return true;
    case kWindowId: {
      unsigned long id = 0;
      if (!ParseWindowId(value, &id, &why)) return Fail(error, named + " " + value + ": " + why);
      options->windowId = id;
      return true;
    }
    default:
      return TakeSceneOption(NameOf(code), value, &options->scene, &why) || Fail(error, "--" + why);
  }
}
}  // namespace

bool ParseWindowId(const char* text, unsigned long* id, std::string* error) {
  switch (ParseWhole(text, 1, kMaxWindowId, id, true)) {
    case NumberIs::kGood: return true;
    case NumberIs::kOutOfRange: return Fail(error, "out of range, 0x1 to 0x1fffffff");
    case NumberIs::kMalformed: break;
  }
  return Fail(error, "not a window id, 0x hexadecimal or decimal");
}

ParseResult ParseSaverOptions(int argc, char** argv, SaverOptions* options, std::string* error) {
  SaverOptions parsed;
  opterr = 0;  // the messages are ours
  optind = 0;  // glibc: start afresh
  int code = 0;
  // "+": stop at the first word that is no option; ":": report a missing value apart.
  while ((code = getopt_long_only(argc, argv, "+:", Options().data(), nullptr)) != -1) {
    if (code == kHelp) return ParseResult::kHelp;
    if (code == kVersion) return ParseResult::kVersion;
    if (code == ':') {
      Fail(error, std::string("--") + NameOf(optopt) + " needs a value");
      return ParseResult::kUsageError;
    }
    if (code == '?') {
      Fail(error, std::string("unknown or ambiguous option ") + argv[optind - 1]);
      return ParseResult::kUsageError;
    }
    if (!Take(code, optarg, &parsed, error)) return ParseResult::kUsageError;
  }
  if (optind < argc) {
    Fail(error, std::string("unexpected argument ") + argv[optind]);
    return ParseResult::kUsageError;
  }
  *options = parsed;
  return ParseResult::kRun;
}

std::string SaverUsage() {
  const SimSettings defaults = DefaultSettings();
  const auto number = [](auto value) { return std::to_string(value); };
  return FillIn(
      "usage: wendrix-saver [--root | --window-id ID] [--scheme 0..{last}|random] "
      "[--ripples {min ripples}..{max ripples}]\n"
      "                     [--tesselation {min step}..{max step}] [--speed X] [--frequency X]\n"
      "                     [--letterbox 0..{max letterbox}] [--spotlight] [--fps] "
      "[--delay MICROSECONDS]\n"
      "                     [--present auto|gl|image] [--seed N]\n"
      "Wendrix's ripples as an XScreenSaver hack. Options take - or --.\n"
      "  --root             draw into $XSCREENSAVER_WINDOW, else the (virtual) root window\n"
      "  --window-id ID     draw into window ID (0x hexadecimal or decimal)\n"
      "                     neither: a window of its own\n"
      "  --scheme N         colour scheme 0 to {last}, or random (default {scheme})\n"
      "  --ripples N        overlapping ripples, {min ripples} to {max ripples} (default "
      "{ripples})\n"
      "  --tesselation N    pixels between grid points, {min step} to {max step} (default {step})\n"
      "  --speed X          main speed factor, above 0 and at most {max factor} (default 1)\n"
      "  --frequency X      ripple frequency factor, above 0 and at most {max factor} (default 1)\n"
      "  --letterbox N      letterbox bars, 0 to {max letterbox} (default {letterbox})\n"
      "  --spotlight        light the ripples with the coloured spot light\n"
      "  --fps              show the frame rate in the top right corner\n"
      "  --delay US         the least time a frame takes (default {delay})\n"
      "  --present HOW      gl: draw with OpenGL; image: make the picture on the\n"
      "                     processor and put it as an image (MIT-SHM where it can);\n"
      "                     auto (default): the image where OpenGL is drawn by the\n"
      "                     processor (llvmpipe, softpipe...) or cannot be had\n"
      "  --seed N           the run's random start, to repeat it (default: from the clock)\n"
      "  --help, --version  this usage or the version, then nothing else\n",
      {{"last", number(kSchemes - 1)},
       {"min ripples", number(kMinRipples)},
       {"max ripples", number(kMaxRipples)},
       {"min step", number(kMinTesselation)},
       {"max step", number(kMaxTesselation)},
       {"max letterbox", number(kMaxLetterbox)},
       {"max factor", number(static_cast<int>(kMaxFactor))},
       {"scheme", number(defaults.colorOption)},
       {"ripples", number(kDefaultRippleCount)},
       {"step", number(defaults.tesselation)},
       {"letterbox", number(defaults.letterbox)},
       {"delay", number(SaverOptions{}.delayUs)}});
}
