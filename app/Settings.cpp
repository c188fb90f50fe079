// The defaults of every setting.
#include "app/Settings.h"

#include "app/Clock.h"
#include "app/FrameDriver.h"
#include "sim/Random.h"

SimSettings::~SimSettings() = default;

int32_t rippleCount = 0;
int32_t rippleSelector = 4;
int32_t letterboxSelector = 0;
int32_t paused = 0;
int32_t helpShown = 0;
int32_t fullScreen = 1;
int32_t mouseX = 0;
int32_t mouseY = 0;

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
