// The defaults every setting starts from and the reset key restores.
#pragma once

#include <cstdint>

#include "state/Settings.h"

constexpr int32_t kDefaultRippleCount = 4;

// The record's defaults, read without changing anything; the letterbox, which
// the reset key leaves alone, is 0 as at launch.
SimSettings DefaultSettings();
// Restores the defaults and re-seeds the generator with elapsedMs. Leaves the
// letterbox, both selectors, the help page, full screen and the mouse as they are.
void ResetSettings();
