// The picture composed from the settings, the window, the oscillator bank, the
// light and the text's operations, in the order the frame draws them.
#include "picture/Picture.h"

#include "sim/RippleField.h"
#include "state/Frame.h"
#include "state/Settings.h"
#include "text/HelpScreen.h"

LetterboxBand LetterboxBandOf(int letterbox, uint32_t windowHeight) {
  const double f = letterbox * 0.05;
  const int16_t bottom = static_cast<int16_t>(static_cast<int32_t>(f * windowHeight));
  const int16_t top = static_cast<int16_t>(static_cast<int32_t>((1.0 - f) * windowHeight));
  return {bottom, top - bottom};
}

Picture ComposeView() {
  Picture picture;
  picture.width = static_cast<int>(screenWidth);
  picture.height = static_cast<int>(screenHeight);
  picture.band = LetterboxBandOf(settings.letterbox, screenHeight);
  picture.polyMode = settings.polyMode;
  return picture;
}

Picture ComposePicture(int32_t framesPerSecond) {
  Picture picture = ComposeView();
  picture.field = PrepareFieldFrame();
  // A field that covers the window hides any clear.
  picture.clear = settings.clearEachFrame != 0 && !FieldCoversWindow();
  if (settings.spotlights != 0) picture.light = spotLight;
  overlay.composing = &picture.text;
  if (overlay.expiry != 0.0) overlay.RedrawMessage();
  if (settings.fpsClock != 0) overlay.DrawFrameRate(framesPerSecond);
  if (helpShown != 0) HelpScreen();
  overlay.composing = nullptr;
  return picture;
}
