// The static objects, constructed in this order before main, and the tear-down
// that leaves their destructors no GL to give back.
#include "app/Process.h"

#include <GL/gl.h>

#include "shared/Settings.h"
#include "text/TextOverlay.h"

TextOverlay overlay;
SimSettings settings;

uint32_t rampTexture = 0;

void TearDown() {
  overlay.font.release();
  if (rampTexture != 0) glDeleteTextures(1, &rampTexture);
  rampTexture = 0;
}
