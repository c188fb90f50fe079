// Start-up and the frame callback, written against the window seam so that
// the headless renderer and the tests run exactly this code.
#include "app/Shell.h"

#include <cstdio>
#include <cstdlib>

#include "app/Clock.h"
#include "app/Controls.h"
#include "app/Defaults.h"
#include "app/FrameDriver.h"
#include "picture/Painter.h"
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
  InitOscillators(kOscillators);
  SetupAmbientLight(1, 0.5f, 0.6f);
  // The view, GL's fixed state and the glyph atlas: the painter's.
  CurrentPainter()->Start(ComposeView());
  if (showStartHint) overlay.ShowMessage("Press ? key for Help Screen");
  CurrentWindow().HideCursor();
  return true;
}

bool StartUp(WindowSystem& window, Painter& painter, const StartUpOptions& options,
             std::string* error) {
  if (!PreInit()) {
    std::printf("App returned false on PreInit(), we shouldn't really continue.\n");
    std::exit(0);
  }
  if (!painter.Open(window, error)) return false;
  UseWindow(&window);
  UsePainter(&painter);
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
  screenWidth = static_cast<uint32_t>(width);
  screenHeight = static_cast<uint32_t>(height);
  if (Painter* painter = CurrentPainter()) painter->Reshape(width, height);
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
