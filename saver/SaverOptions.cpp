// Every value is checked against its range here, so that a bad one is named
// before any window is touched.
#include "saver/SaverOptions.h"

#include <getopt.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
enum OptionCode : int {
  kScheme = 256,  // above every character, so no short option is meant
  kRipples,
  kTesselation,
  kSpeed,
  kFrequency,
  kLetterbox,
  kSpotlight,
  kFps,
  kDelay,
  kSeed,
  kRoot,
  kWindowId,
  kHelp,
  kVersion,
};

const option kOptions[] = {
    {"scheme", required_argument, nullptr, kScheme},
    {"ripples", required_argument, nullptr, kRipples},
    {"tesselation", required_argument, nullptr, kTesselation},
    {"speed", required_argument, nullptr, kSpeed},
    {"frequency", required_argument, nullptr, kFrequency},
    {"letterbox", required_argument, nullptr, kLetterbox},
    {"spotlight", no_argument, nullptr, kSpotlight},
    {"fps", no_argument, nullptr, kFps},
    {"delay", required_argument, nullptr, kDelay},
    {"seed", required_argument, nullptr, kSeed},
    {"root", no_argument, nullptr, kRoot},
    {"window-id", required_argument, nullptr, kWindowId},
    {"help", no_argument, nullptr, kHelp},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
};

constexpr long kMaxDelayUs = 10000000;  // ten seconds a frame

bool ParseLong(const char* text, long low, long high, long* value) {
  char* end = nullptr;
  errno = 0;
  const long parsed = std::strtol(text, &end, 10);
  if (*text == '\0' || *end != '\0' || errno != 0 || parsed < low || parsed > high) return false;
  *value = parsed;
  return true;
}

bool ParseInt(const char* text, int low, int high, std::optional<int>* value) {
  long parsed = 0;
  if (!ParseLong(text, low, high, &parsed)) return false;
  *value = static_cast<int>(parsed);
  return true;
}

bool ParseFactor(const char* text, std::optional<float>* value) {
  char* end = nullptr;
  const double parsed = std::strtod(text, &end);
  if (*text == '\0' || *end != '\0' || !std::isfinite(parsed) || parsed <= 0.0 ||
      parsed > kMaxFactor) {
    return false;
  }
  *value = static_cast<float>(parsed);
  return true;
}

const char* NameOf(int code) {
  for (const option& entry : kOptions) {
    if (entry.val == code) return entry.name;
  }
  return "?";
}

// What the option takes, for the message when a value is wrong.
const char* Wants(int code) {
  switch (code) {
    case kScheme: return "a colour scheme from 0 to 7, or random";
    case kRipples: return "a whole number from 1 to 8";
    case kTesselation: return "a whole number from 1 to 20";
    case kSpeed:
    case kFrequency: return "a number above 0, at most 100";
    case kLetterbox: return "a whole number from 0 to 6";
    case kDelay: return "microseconds from 0 to 10000000";
    case kSeed: return "a whole number from 0 to 4294967295";
    default: return "a window id, 0x hexadecimal or decimal";
  }
}

// False when the value is out of the option's range.
bool Take(int code, const char* value, SaverOptions* options) {
  SceneOptions& scene = options->scene;
  switch (code) {
    case kScheme:
      scene.randomScheme = std::strcmp(value, "random") == 0;
      return scene.randomScheme || ParseInt(value, 0, kSchemes - 1, &scene.scheme);
    case kRipples: return ParseInt(value, kMinRipples, kMaxRipples, &scene.ripples);
    case kTesselation: return ParseInt(value, kMinTesselation, kMaxTesselation, &scene.tesselation);
    case kSpeed: return ParseFactor(value, &scene.speed);
    case kFrequency: return ParseFactor(value, &scene.frequency);
    case kLetterbox: return ParseInt(value, 0, kMaxLetterbox, &scene.letterbox);
    case kDelay: return ParseLong(value, 0, kMaxDelayUs, &options->delayUs);
    case kSeed: {
      long seed = 0;
      if (!ParseLong(value, 0, UINT32_MAX, &seed)) return false;
      scene.seed = static_cast<uint32_t>(seed);
      return true;
    }
    case kWindowId: {
      unsigned long id = 0;
      if (!ParseWindowId(value, &id)) return false;
      options->windowId = id;
      return true;
    }
    case kSpotlight: scene.spotlight = true; return true;
    case kFps: scene.fps = true; return true;
    case kRoot: options->root = true; return true;
    default: return false;
  }
}
}  // namespace

bool ParseWindowId(const char* text, unsigned long* id) {
  const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const char* digits = hex ? text + 2 : text;
  if (*digits == '\0' || *digits == '-' || *digits == '+' || *digits == ' ') return false;
  char* end = nullptr;
  errno = 0;
  const unsigned long parsed = std::strtoul(digits, &end, hex ? 16 : 10);
  // X ids are 29 bits; 0 is None.
  if (*end != '\0' || errno != 0 || parsed == 0 || parsed > 0x1fffffffUL) return false;
  *id = parsed;
  return true;
}

SaverParse ParseSaverOptions(int argc, char** argv, SaverOptions* options, std::string* error) {
  SaverOptions parsed;
  opterr = 0;  // the messages are ours
  optind = 0;  // glibc: start afresh
  int code = 0;
  // "+": stop at the first word that is no option; ":": report a missing value apart.
  while ((code = getopt_long_only(argc, argv, "+:", kOptions, nullptr)) != -1) {
    if (code == kHelp) return SaverParse::kHelp;
    if (code == kVersion) return SaverParse::kVersion;
    if (code == ':') {
      *error = std::string("--") + NameOf(optopt) + " needs a value";
      return SaverParse::kUsageError;
    }
    if (code == '?') {
      *error = std::string("unknown or ambiguous option ") + argv[optind - 1];
      return SaverParse::kUsageError;
    }
    if (!Take(code, optarg, &parsed)) {
      *error =
          std::string("--") + NameOf(code) + " wants " + Wants(code) + ", not \"" + optarg + "\"";
      return SaverParse::kUsageError;
    }
  }
  if (optind < argc) {
    *error = std::string("unexpected argument ") + argv[optind];
    return SaverParse::kUsageError;
  }
  *options = parsed;
  return SaverParse::kRun;
}

const char* SaverUsage() {
  return "usage: wendrix-saver [--root | --window-id ID] [--scheme 0..7|random] [--ripples 1..8]\n"
         "                     [--tesselation 1..20] [--speed X] [--frequency X]\n"
         "                     [--letterbox 0..6] [--spotlight] [--fps] [--delay MICROSECONDS]\n"
         "                     [--seed N]\n"
         "Wendrix's ripples as an XScreenSaver hack. Options take - or --.\n"
         "  --root             draw into $XSCREENSAVER_WINDOW, else the (virtual) root window\n"
         "  --window-id ID     draw into window ID (0x hexadecimal or decimal)\n"
         "                     neither: a window of its own\n"
         "  --scheme N         colour scheme 0 to 7, or random (default 0)\n"
         "  --ripples N        overlapping ripples, 1 to 8 (default 4)\n"
         "  --tesselation N    pixels between grid points, 1 to 20 (default 6)\n"
         "  --speed X          main speed factor, above 0 and at most 100 (default 1)\n"
         "  --frequency X      ripple frequency factor, above 0 and at most 100 (default 1)\n"
         "  --letterbox N      letterbox bars, 0 to 6 (default 0)\n"
         "  --spotlight        light the ripples with the coloured spot light\n"
         "  --fps              show the frame rate in the top right corner\n"
         "  --delay US         the least time a frame takes (default 20000)\n"
         "  --seed N           the run's random start, to repeat it (default: from the clock)\n"
         "  --help, --version  say so and exit\n";
}
