// Start-up and the frame callback, written against the window seam so that
// the headless renderer and the tests run exactly this code.
#include "app/Shell.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

#include "app/Clock.h"
#include "app/Controls.h"
#include "app/Defaults.h"
#include "app/FontPath.h"
#include "app/FrameDriver.h"
#include "app/Process.h"
#include "image/Texture.h"
#include "sim/Lighting.h"
#include "sim/Oscillators.h"
#include "sim/Random.h"
#include "state/Frame.h"
#include "state/Settings.h"
#include "text/TextOverlay.h"
#include "windowsystem/Window.h"

namespace {
bool showStartHint = true;  // StartUp's choice, read by Init
}

bool PreInit() {
  SeedRandom(elapsedMs);
  return true;
}

bool Init() {
  ResetSettings();
  CurrentWindow().InstallInputHandlers(KeyHandler, SpecialKeyHandler, MouseHandler);
  CurrentWindow().FullScreen();
  ApplyView();

  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
  glMateriali(GL_FRONT_AND_BACK, GL_SHININESS, 30);
  glShadeModel(GL_SMOOTH);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

  InitOscillators(kOscillators);
  SetupAmbientLight(1, 0.5f, 0.6f);
  LoadFont(overlay.font);
  rampTexture = CreateRampTexture(0);
  if (showStartHint) overlay.ShowMessage("Press ? key for Help Screen");
  CurrentWindow().HideCursor();
  return true;
}

bool StartUp(WindowSystem& window, const StartUpOptions& options, std::string* error) {
  if (!PreInit()) {
    std::printf("App returned false on PreInit(), we shouldn't really continue.\n");
    std::exit(0);
  }
  if (!window.Open(error)) return false;
  UseWindow(&window);
  ReshapeHandler(window.WindowWidth(), window.WindowHeight());
  if (options.registerCallbacks != nullptr) options.registerCallbacks();
  StartClock();
  showStartHint = options.startHint;
  if (!Init()) {
    std::printf("App failed to initialize.\n");
    std::exit(0);
  }
  return true;
}

void ReshapeHandler(int width, int height) {
  SetPictureSize(width, height);
  glViewport(0, 0, width, height);
}

void SetPictureSize(int width, int height) {
  screenWidth = static_cast<uint32_t>(width);
  screenHeight = static_cast<uint32_t>(height);
}

bool DisplayHandler() {
  elapsedMs = ElapsedMsAt(ReadCounter());
  if (!RenderFrame()) return false;
  CurrentWindow().SwapBuffers();
  return true;
}

void DefaultKeyHandler(unsigned char key, int, int) {
  switch (key) {
    case 27: fadeLevel = 0.0f; break;  // below the fade's end
    case 'F':
    case 'f':
      fullScreen = !fullScreen;
      if (fullScreen != 0) {
        CurrentWindow().FullScreen();
      } else {
        CurrentWindow().ReshapeWindow(kLaunchWidth, kLaunchHeight);
      }
      break;
    default: break;
  }
}
