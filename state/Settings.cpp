// The control variables beside the settings record, at their start-up values.
#include "state/Settings.h"

SimSettings::~SimSettings() = default;

SimSettings settings;  // every field 0 until ResetSettings runs

int32_t rippleCount = 0;
int32_t rippleSelector = 4;
int32_t letterboxSelector = 0;
int32_t paused = 0;
int32_t helpShown = 0;
int32_t fullScreen = 1;
int32_t mouseX = 0;
int32_t mouseY = 0;

void ResetControls() {
  settings = SimSettings{};
  rippleCount = letterboxSelector = paused = helpShown = mouseX = mouseY = 0;
  rippleSelector = 4;
  fullScreen = 1;
}
