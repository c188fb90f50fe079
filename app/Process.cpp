// The static objects, constructed in this order before main and destroyed in
// reverse at exit, and the exit that runs their destructors.
#include "app/Process.h"

#include <cstdlib>

#include "app/Settings.h"
#include "text/TextOverlay.h"

TextOverlay overlay;
SimSettings settings;

uint32_t screenWidth = 640;
uint32_t screenHeight = 480;

void ExitApp() {
  overlay.font.release();
  std::exit(0);
}
