// Only the settings and the generator are touched here, never a window or the
// platform, so that the screen savers of every platform start alike.
#include "saver/Scene.h"

#include <chrono>
#include <random>

#include "shared/Settings.h"
#include "sim/Oscillators.h"
#include "sim/Random.h"

namespace {
constexpr int kOscillators = 60;  // as start-up fills the bank

// Nanoseconds of the wall clock folded into 32 bits: two starts a moment apart differ.
uint32_t ClockSeed() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const auto ticks = static_cast<uint64_t>(std::chrono::nanoseconds(now).count());
  return static_cast<uint32_t>(ticks ^ ticks >> 32);
}
}  // namespace

uint32_t StartScene(const SceneOptions& options) {
  const uint32_t seed = options.seed.value_or(ClockSeed());
  // As start-up's own draw: the same seed, the same oscillators.
  SeedRandom(seed);
  InitOscillators(kOscillators);
  if (options.randomScheme) {
    // A generator of its own, so the choice leaves the animation's sequence alone.
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
  return seed;
}
