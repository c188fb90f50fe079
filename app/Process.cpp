// The text overlay, the tear-down, and the one reset of every process-wide value.
#include "app/Process.h"

#include "app/Clock.h"
#include "app/FrameDriver.h"
#include "picture/Painter.h"
#include "sim/FieldPath.h"
#include "sim/Lighting.h"
#include "sim/Oscillators.h"
#include "sim/Random.h"
#include "state/Frame.h"
#include "state/Settings.h"
#include "text/TextOverlay.h"

TextOverlay overlay;

void TearDown() {
  if (Painter* painter = CurrentPainter()) painter->Stop();
}

void ResetProcessState() {
  ResetFrameValues();
  ResetControls();
  ResetClock();
  ResetFrameDriver();
  ResetRandom();
  oscillatorBank = {};
  spotLight = {};
  fieldPath = {};
  lastFieldDrawn = FieldDrawn::SimplePoints;
  overlay.Reset();
  UsePainter(nullptr);
}
