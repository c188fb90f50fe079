// What every screen saver shares, whatever its platform: the options that set
// the picture, their ranges, and the random start each run draws from a seed.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "painters/Present.h"
#include "state/Settings.h"

// The picture's options; one not given keeps the program's default.
struct SceneOptions {
  std::optional<int> scheme;         // colour scheme, 0..kSchemes-1
  bool randomScheme = false;         // one of the schemes, chosen by the seed
  std::optional<int> ripples;        // overlapping ripples
  std::optional<int> tesselation;    // pixels between grid points
  std::optional<float> speed;        // main speed factor
  std::optional<float> frequency;    // ripple frequency factor
  std::optional<int> letterbox;      // letterbox bars in 5% steps
  bool spotlight = false;            // the coloured spot light on
  bool fps = false;                  // the frame-rate line on
  std::optional<uint32_t> seed;      // none: one from the clock
  Present present = Present::kAuto;  // how the picture reaches the screen
};

// Speed and frequency factors are above 0 and at most this; the other ranges
// are the keys' own (state/Settings.h).
inline constexpr float kMaxFactor = 100.0f;

// Each picture option once, for every place that names one: its name on the
// saver's command line and in the page's address, its value's name in
// Windows' registry, what its value must be (empty for a flag, which takes
// none), how it is taken and how it is written back.
struct SceneOption {
  const char* name;
  const char* registryName;
  std::string wants;  // "a whole number from 1 to 8"
  bool whole;         // a whole number, or a flag as 0 or 1: a DWORD in the registry
  bool (*take)(const char* value, SceneOptions& options);
  // The value given as text that take takes back: none when not given; a flag's "1" or "0".
  std::optional<std::string> (*text)(const SceneOptions& options);
};
// scheme (0..7 or random), ripples, tesselation, speed, frequency, letterbox,
// seed, present (auto, gl or image), and the flags spotlight and fps.
std::span<const SceneOption> SceneOptionTable();

// One picture option by its name, as a command line gives it: a flag's value is
// null. False, options untouched and a reason that names the option, for a
// value it does not take.
bool TakeSceneOption(std::string_view name, const char* value, SceneOptions* options,
                     std::string* error);
// The same from a settings store (the page's address, the registry), where a
// flag is "1" (on) or "0" (left off).
bool TakeSceneSetting(std::string_view name, const std::string& text, SceneOptions* options,
                      std::string* error);
// Whether the option of that name is a flag, which takes no value.
bool IsSceneFlag(std::string_view name);
// A number as the settings keep it and the dialog shows it: plain decimal, no
// exponent, no trailing zeros, so that what is shown is read back unchanged.
std::string FactorText(float value);

// After start-up: seeds the generator (options.seed, else the clock) and draws
// the oscillators afresh from it, so each run starts from a picture of its own,
// then leaves each option given as its key would. Returns the seed used; seed 0
// gives the program's own start.
uint32_t StartScene(const SceneOptions& options);
// Leaves each option given as its key would, the generator and the oscillators
// as they are; a random scheme is drawn from options.seed, else from the clock.
void ApplyScene(const SceneOptions& options);
