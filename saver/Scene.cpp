// Only the settings and the generator are touched here, never a window or the
// platform, so that the screen savers of every platform start alike.
#include "saver/Scene.h"

#include <chrono>
#include <cstring>
#include <random>

#include "cmdline/Arguments.h"
#include "sim/Oscillators.h"
#include "sim/Random.h"
#include "state/Settings.h"

namespace {
// Nanoseconds of the wall clock folded into 32 bits: two starts a moment apart differ.
uint32_t ClockSeed() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const auto ticks = static_cast<uint64_t>(std::chrono::nanoseconds(now).count());
  return static_cast<uint32_t>(ticks ^ ticks >> 32);
}

// A whole number in range into an optional setting.
template <typename Whole>
bool Take(const char* value, uint64_t minimum, uint64_t maximum, std::optional<Whole>* setting) {
  Whole parsed{};
  if (ParseWhole(value, minimum, maximum, &parsed) != NumberIs::kGood) return false;
  *setting = parsed;
  return true;
}

bool TakeFactor(const char* value, std::optional<float>* setting) {
  float parsed = 0.0f;
  if (ParseFactor(value, kMaxFactor, &parsed) != NumberIs::kGood) return false;
  *setting = parsed;
  return true;
}

std::string Wholes(int from, int to) {
  return "a whole number from " + std::to_string(from) + " to " + std::to_string(to);
}

// Each option: its name, what its value must be (empty: a flag, no value) and how it is taken.
struct SceneOption {
  std::string_view name;
  std::string wants;
  bool (*take)(const char* value, SceneOptions& options);
};
const SceneOption kSceneOptions[] = {
    {"scheme", "a colour scheme from 0 to " + std::to_string(kSchemes - 1) + ", or random",
     [](const char* value, SceneOptions& o) {
       o.randomScheme = std::strcmp(value, "random") == 0;
       return o.randomScheme || Take(value, 0, kSchemes - 1, &o.scheme);
     }},
    {"ripples", Wholes(kMinRipples, kMaxRipples),
     [](const char* value, SceneOptions& o) {
       return Take(value, kMinRipples, kMaxRipples, &o.ripples);
     }},
    {"tesselation", Wholes(kMinTesselation, kMaxTesselation),
     [](const char* value, SceneOptions& o) {
       return Take(value, kMinTesselation, kMaxTesselation, &o.tesselation);
     }},
    {"speed", "a number above 0, at most " + std::to_string(static_cast<int>(kMaxFactor)),
     [](const char* value, SceneOptions& o) { return TakeFactor(value, &o.speed); }},
    {"frequency", "a number above 0, at most " + std::to_string(static_cast<int>(kMaxFactor)),
     [](const char* value, SceneOptions& o) { return TakeFactor(value, &o.frequency); }},
    {"letterbox", Wholes(0, kMaxLetterbox),
     [](const char* value, SceneOptions& o) {
       return Take(value, 0, kMaxLetterbox, &o.letterbox);
     }},
    {"seed", "a whole number from 0 to " + std::to_string(UINT32_MAX),
     [](const char* value, SceneOptions& o) { return Take(value, 0, UINT32_MAX, &o.seed); }},
    {"present", "auto, gl or image",
     [](const char* value, SceneOptions& o) { return ParsePresent(value, &o.present); }},
    {"spotlight", "", [](const char*, SceneOptions& o) { return o.spotlight = true; }},
    {"fps", "", [](const char*, SceneOptions& o) { return o.fps = true; }},
};
}  // namespace

bool TakeSceneOption(std::string_view name, const char* value, SceneOptions* options,
                     std::string* error) {
  for (const SceneOption& option : kSceneOptions) {
    if (option.name != name) continue;
    if (option.wants.empty() != (value == nullptr)) {
      return Fail(error,
                  std::string(name) + (value == nullptr ? " needs a value" : " takes no value"));
    }
    if (option.take(value, *options)) return true;
    return Fail(error, std::string(name) + " wants " + option.wants + ", not \"" + value + "\"");
  }
  return Fail(error, "no picture option is called " + std::string(name));
}

bool IsSceneFlag(std::string_view name) {
  for (const SceneOption& option : kSceneOptions) {
    if (option.name == name) return option.wants.empty();
  }
  return false;
}

uint32_t StartScene(const SceneOptions& options) {
  SceneOptions seeded = options;
  seeded.seed = options.seed.value_or(ClockSeed());
  // As start-up's own draw: the same seed, the same oscillators.
  SeedRandom(*seeded.seed);
  InitOscillators(kOscillators);
  ApplyScene(seeded);
  return *seeded.seed;
}

void ApplyScene(const SceneOptions& options) {
  if (options.randomScheme) {
    // A generator of its own, so the choice leaves the animation's sequence alone.
    const uint32_t seed = options.seed.value_or(ClockSeed());
    settings.colorOption = static_cast<int32_t>(std::minstd_rand(seed)() % kSchemes);
  } else if (options.scheme.has_value()) {
    settings.colorOption = *options.scheme;
  }
  // The walks of N and L stand where the keys would have left them going up.
  if (options.ripples.has_value()) rippleCount = rippleSelector = *options.ripples;
  if (options.tesselation.has_value()) settings.tesselation = *options.tesselation;
  if (options.speed.has_value()) settings.mainSpeed = *options.speed;
  if (options.frequency.has_value()) settings.frequency = *options.frequency;
  if (options.letterbox.has_value()) settings.letterbox = letterboxSelector = *options.letterbox;
  if (options.spotlight) settings.spotlights = 1;
  if (options.fps) settings.fpsClock = 1;
}
