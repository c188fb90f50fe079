// The static objects, constructed in this order before main and destroyed in
// reverse at exit, and the exit that runs their destructors.
#include "app/Process.h"

#include <GL/gl.h>

#include <cstdlib>

#include "shared/Settings.h"
#include "text/TextOverlay.h"

TextOverlay overlay;
SimSettings settings;

uint32_t rampTexture = 0;

void TearDown() {
  overlay.font.release();  // Init's own holder deletes the same name again at exit, harmlessly
  if (rampTexture != 0) glDeleteTextures(1, &rampTexture);
  rampTexture = 0;
}

void ExitApp() {
  TearDown();
  std::exit(0);
}
