// The defaults of every setting.
#include "app/Defaults.h"

#include "shared/Frame.h"
#include "shared/Settings.h"
#include "sim/Random.h"

void ResetSettings() {
  SeedRandom(elapsedMs);
  settings.fov = 110;
  settings.rotateSpeed = settings.movementSpeed = settings.mainSpeed = settings.frequency = 1.0f;
  settings.cameraZ = 0.0f;
  settings.objectSize = settings.lightRotateSpeed = 1.0f;
  settings.tesselation = 6;
  settings.clearEachFrame = 1;
  settings.fpsClock = settings.colorOption = settings.spotlights = 0;
  settings.textures = settings.polyMode = settings.universe = 0;
  fadeLevel = 1.0f;
  paused = 0;
  rippleCount = 4;
}
