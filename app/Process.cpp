// The text overlay, the tear-down that leaves its destructor no GL to give
// back, and the one reset of every process-wide value.
#include "app/Process.h"

#include <GL/gl.h>

#include "app/Clock.h"
#include "app/FrameDriver.h"
#include "sim/FieldDrawing.h"
#include "sim/Oscillators.h"
#include "sim/Random.h"
#include "state/Frame.h"
#include "state/Settings.h"
#include "text/TextOverlay.h"

TextOverlay overlay;

uint32_t rampTexture = 0;

void TearDown() {
  overlay.font.release();
  if (rampTexture != 0) glDeleteTextures(1, &rampTexture);
  rampTexture = 0;
}

void ResetProcessState() {
  ResetFrameValues();
  ResetControls();
  ResetClock();
  ResetFrameDriver();
  ResetRandom();
  oscillatorBank = {};
  fieldPath = {};
  lastFieldDrawn = FieldDrawn::SimplePoints;
  overlay.Reset();
}
