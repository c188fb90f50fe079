// Only the settings and the generator are touched here, never a window or the
// platform, so that the screen savers of every platform start alike.
#include "saver/Scene.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <type_traits>

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

const std::string kFactor =
    "a number above 0, at most " + std::to_string(static_cast<int>(kMaxFactor));

// An optional setting as text, none when it is not given.
template <typename Value>
std::optional<std::string> Given(const std::optional<Value>& value) {
  if (!value.has_value()) return std::nullopt;
  if constexpr (std::is_same_v<Value, float>) {
    return FactorText(*value);
  } else {
    return std::to_string(*value);
  }
}

std::optional<std::string> Flag(bool on) { return on ? "1" : "0"; }

const SceneOption kSceneOptions[] = {
    {"scheme", "Scheme",
     "a colour scheme from 0 to " + std::to_string(kSchemes - 1) + ", or random", false,
     [](const char* value, SceneOptions& o) {
       o.randomScheme = std::strcmp(value, "random") == 0;
       return o.randomScheme || Take(value, 0, kSchemes - 1, &o.scheme);
     },
     [](const SceneOptions& o) {
       return o.randomScheme ? std::optional<std::string>("random") : Given(o.scheme);
     }},
    {"ripples", "Ripples", Wholes(kMinRipples, kMaxRipples), true,
     [](const char* value, SceneOptions& o) {
       return Take(value, kMinRipples, kMaxRipples, &o.ripples);
     },
     [](const SceneOptions& o) { return Given(o.ripples); }},
    {"tesselation", "Tesselation", Wholes(kMinTesselation, kMaxTesselation), true,
     [](const char* value, SceneOptions& o) {
       return Take(value, kMinTesselation, kMaxTesselation, &o.tesselation);
     },
     [](const SceneOptions& o) { return Given(o.tesselation); }},
    {"speed", "Speed", kFactor, false,
     [](const char* value, SceneOptions& o) { return TakeFactor(value, &o.speed); },
     [](const SceneOptions& o) { return Given(o.speed); }},
    {"frequency", "Frequency", kFactor, false,
     [](const char* value, SceneOptions& o) { return TakeFactor(value, &o.frequency); },
     [](const SceneOptions& o) { return Given(o.frequency); }},
    {"letterbox", "Letterbox", Wholes(0, kMaxLetterbox), true,
     [](const char* value, SceneOptions& o) { return Take(value, 0, kMaxLetterbox, &o.letterbox); },
     [](const SceneOptions& o) { return Given(o.letterbox); }},
    {"seed", "Seed", "a whole number from 0 to " + std::to_string(UINT32_MAX), true,
     [](const char* value, SceneOptions& o) { return Take(value, 0, UINT32_MAX, &o.seed); },
     [](const SceneOptions& o) { return Given(o.seed); }},
    {"present", "Present", "auto, gl or image", false,
     [](const char* value, SceneOptions& o) { return ParsePresent(value, &o.present); },
     [](const SceneOptions& o) { return std::optional<std::string>(PresentName(o.present)); }},
    {"spotlight", "SpotLight", "", true,
     [](const char*, SceneOptions& o) { return o.spotlight = true; },
     [](const SceneOptions& o) { return Flag(o.spotlight); }},
    {"fps", "FrameRate", "", true, [](const char*, SceneOptions& o) { return o.fps = true; },
     [](const SceneOptions& o) { return Flag(o.fps); }},
};

// "ripples wants a whole number from 1 to 8, not "9"".
bool Refuse(std::string_view name, const std::string& wants, std::string_view value,
            std::string* error) {
  return Fail(error, std::string(name) + " wants " + wants + ", not \"" + Shown(value) + "\"");
}

const SceneOption* Find(std::string_view name) {
  for (const SceneOption& option : kSceneOptions) {
    if (option.name == name) return &option;
  }
  return nullptr;
}
}  // namespace

std::span<const SceneOption> SceneOptionTable() { return kSceneOptions; }

bool TakeSceneOption(std::string_view name, const char* value, SceneOptions* options,
                     std::string* error) {
  const SceneOption* option = Find(name);
  if (option == nullptr) return Fail(error, "no picture option is called " + Shown(name));
  if (option->wants.empty() != (value == nullptr)) {
    return Fail(error,
                std::string(name) + (value == nullptr ? " needs a value" : " takes no value"));
  }
  SceneOptions taken = *options;
  // Only a flag takes no value, and a flag is always taken.
  if (!option->take(value, taken)) return Refuse(name, option->wants, value ? value : "", error);
  *options = taken;
  return true;
}

bool TakeSceneSetting(std::string_view name, const std::string& text, SceneOptions* options,
                      std::string* error) {
  const SceneOption* option = Find(name);
  // A NUL would end the value early for the option's check: "1\0x" is no 1.
  if (option != nullptr && !option->wants.empty() && text.find('\0') != std::string::npos) {
    return Refuse(name, option->wants, text, error);
  }
  if (!IsSceneFlag(name)) return TakeSceneOption(name, text.c_str(), options, error);
  if (text != "1" && text != "0") return Refuse(name, "1 or 0", text, error);
  return text == "0" || TakeSceneOption(name, nullptr, options, error);
}

bool IsSceneFlag(std::string_view name) {
  const SceneOption* option = Find(name);
  return option != nullptr && option->wants.empty();
}

// Plain decimal, as the factors are read back: no exponent, no trailing zeros.
std::string FactorText(float value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.9f", static_cast<double>(value));
  std::string plain = text;
  plain.erase(plain.find_last_not_of('0') + 1);
  if (plain.back() == '.') plain.pop_back();
  return plain;
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
