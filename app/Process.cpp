// The static objects, constructed in this order before main and destroyed in
// reverse at exit, and the exit that runs their destructors.
#include "app/Process.h"

#include <cstdlib>

#include "shared/Settings.h"
#include "text/TextOverlay.h"

TextOverlay overlay;
SimSettings settings;

void ExitApp() {
  overlay.font.release();
  std::exit(0);
}
