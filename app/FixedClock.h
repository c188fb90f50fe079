// A run on a fixed clock, as wendrix-render and the page take it from their
// options: frame i drawn at i x frameMs milliseconds, and keys typed after
// start-up and just before chosen frames.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "windowsystem/TypedKeys.h"

// Keys typed just before frame `frame`.
struct TimedKeys {
  int frame = 0;
  std::vector<KeyPress> keys;
  bool operator==(const TimedKeys&) const = default;
};

struct FixedClock {
  int frames = 1;
  int frameMs = 16;
  std::vector<KeyPress> keys;    // --keys: after start-up, before frame 0
  std::vector<TimedKeys> keyAt;  // --key-at, in the order given
};

// Whether name is one of the clock's options: frames, frame-ms, keys or key-at.
bool IsClockOption(std::string_view name);
// One of them into clock (key-at adds to the others given); false with a
// reason that names it as --name.
bool TakeClockOption(std::string_view name, std::string_view value, FixedClock* clock,
                     std::string* error);
// Once all are taken: false, with the reason, for keys due after the last frame.
bool CheckClock(const FixedClock& clock, std::string* error);
