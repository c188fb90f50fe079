// The clock's options are checked alike wherever they are given, so that the
// page refuses what wendrix-render refuses, in the same words.
#include "app/FixedClock.h"

#include <cstdint>

#include "cmdline/Arguments.h"

bool IsClockOption(std::string_view name) {
  return name == "frames" || name == "frame-ms" || name == "keys" || name == "key-at";
}

bool TakeClockOption(std::string_view name, std::string_view value, FixedClock* clock,
                     std::string* error) {
  // Built in steps: GCC 12 sees an overlap in "\"" + value that is not there (its bug 105329).
  std::string quoted = "\"";
  quoted.append(Shown(value)).append("\"");
  std::string why;
  if (name == "frames") {
    return ParseWhole(value, 1, INT32_MAX, &clock->frames) == NumberIs::kGood ||
           Fail(error, "--frames wants a whole number of at least 1, not " + quoted);
  }
  if (name == "frame-ms") {
    return ParseWhole(value, 0, INT32_MAX, &clock->frameMs) == NumberIs::kGood ||
           Fail(error, "--frame-ms wants a whole number of milliseconds, not " + quoted);
  }
  if (name == "keys") return ParseKeys(value, &clock->keys, &why) || Fail(error, "--keys: " + why);
  if (name != "key-at") return Fail(error, "--" + std::string(name) + " is no clock option");
  const size_t colon = value.find(':');
  TimedKeys timed;
  if (colon == std::string_view::npos ||
      ParseWhole(value.substr(0, colon), 0, INT32_MAX, &timed.frame) != NumberIs::kGood) {
    return Fail(error, "--key-at wants FRAME:KEYS, not " + quoted);
  }
  if (!ParseKeys(value.substr(colon + 1), &timed.keys, &why)) {
    return Fail(error, "--key-at: " + why);
  }
  clock->keyAt.push_back(std::move(timed));
  return true;
}

bool CheckClock(const FixedClock& clock, std::string* error) {
  for (const TimedKeys& timed : clock.keyAt) {
    if (timed.frame >= clock.frames) {
      return Fail(error, "--key-at " + std::to_string(timed.frame) + ": the last frame is " +
                             std::to_string(clock.frames - 1));
    }
  }
  return true;
}
