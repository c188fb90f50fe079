// The defaults of every setting.
#include "app/Defaults.h"

#include "sim/Random.h"
#include "state/Frame.h"

SimSettings DefaultSettings() {
  SimSettings defaults;
  defaults.fov = 110;
  defaults.rotateSpeed = defaults.movementSpeed = defaults.mainSpeed = defaults.frequency = 1.0f;
  defaults.cameraZ = 0.0f;
  defaults.objectSize = defaults.lightRotateSpeed = 1.0f;
  defaults.tesselation = 6;
  defaults.clearEachFrame = 1;
  defaults.fpsClock = defaults.colorOption = defaults.spotlights = 0;
  defaults.textures = defaults.polyMode = defaults.universe = defaults.letterbox = 0;
  return defaults;
}

void ResetSettings() {
  SeedRandom(elapsedMs);
  const int32_t letterbox = settings.letterbox;
  settings = DefaultSettings();
  settings.letterbox = letterbox;
  fadeLevel = 1.0f;
  paused = 0;
  rippleCount = kDefaultRippleCount;
}
