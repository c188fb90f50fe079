// One case per key; letters act in both cases. Real settings change by the
// factors 0.9 and 1.111111 in double precision and are stored as floats.
#include "app/Controls.h"

#include <cstdio>
#include <cstdlib>

#include "app/Defaults.h"
#include "picture/Painter.h"
#include "sim/Lighting.h"
#include "sim/Oscillators.h"
#include "sim/Random.h"
#include "state/Frame.h"
#include "state/Settings.h"
#include "text/TextOverlay.h"
#include "windowsystem/Keys.h"
#include "windowsystem/Window.h"

namespace {
constexpr double kDown = 0.9;
constexpr double kUp = 1.111111;  // not quite 1 / 0.9: down then up gives 0.99999988

// Scales a real setting and shows its new value, computed before it is narrowed.
void Scale(float& value, double factor, const char* format) {
  const double scaled = value * factor;
  value = static_cast<float>(scaled);
  overlay.ShowMessage(format, scaled);
}

void Shift(float& value, double amount, const char* format) {
  const double shifted = value + amount;
  value = static_cast<float>(shifted);
  overlay.ShowMessage(format, shifted);
}

// Flips a flag and shows the message for its new state.
void Flip(int32_t& flag, const char* onMessage, const char* offMessage) {
  flag = !flag;
  overlay.ShowMessage(flag != 0 ? onMessage : offMessage);
}

// "Option 4/7: Eggs": the scheme's number, the last number and its name.
void ShowScheme(int32_t scheme) {
  char text[kMessageBytes];
  std::snprintf(text, sizeof text, "Option %d/%d: %s", scheme, kSchemes - 1, kSchemeNames[scheme]);
  overlay.ShowMessage(text);
}

const char* const kPolyModeMessages[3] = {"PolyMode 1/3: Polygons", "PolyMode 2/3: Lines",
                                          "PolyMode 3/3: Points"};
}  // namespace

void KeyHandler(unsigned char key, int, int) {
  switch (key) {
    case 27:  // Escape: fade out, then exit
      settings.clearEachFrame = 1;
      helpShown = 0;
      fadeLevel = 0.999f;
      break;
    case ' ': settings.clearEachFrame = !settings.clearEachFrame; break;
    case '(': Scale(settings.lightRotateSpeed, kDown, "Light Rotate Speed: %4.2f\n"); break;
    case ')': Scale(settings.lightRotateSpeed, kUp, "Light Rotate Speed: %4.2f\n"); break;
    case '+': Scale(settings.movementSpeed, kUp, "Movement Speed: %4.2f\n"); break;
    case '_': Scale(settings.movementSpeed, kDown, "Movement Speed: %4.2f\n"); break;
    case '-': Scale(settings.rotateSpeed, kDown, "Rotate Speed: %4.2f\n"); break;
    case '=': Scale(settings.rotateSpeed, kUp, "Rotate Speed: %4.2f\n"); break;
    case '[': Scale(settings.objectSize, kDown, "Object Size: %4.2f\n"); break;
    case ']': Scale(settings.objectSize, kUp, "Object Size: %4.2f\n"); break;
    case '{': Shift(settings.cameraZ, -0.1, "CameraZ: %4.2f\n"); break;
    case '}': Shift(settings.cameraZ, 0.1, "CameraZ: %4.2f\n"); break;
    case ',':
      settings.fov = settings.fov >= 178 ? 178 : settings.fov + 2;
      overlay.ShowMessage("FOV: %3.0f Degrees\n", static_cast<double>(settings.fov));
      break;
    case '.':
      settings.fov = settings.fov <= 10 ? 10 : settings.fov - 2;
      overlay.ShowMessage("FOV: %3.0f Degrees\n", static_cast<double>(settings.fov));
      break;
    case '/':
    case '?':
      helpShown = !helpShown;
      if (helpShown == 0 && settings.clearEachFrame != 0 && CurrentPainter() != nullptr) {
        CurrentPainter()->ClearNow();
      }
      break;
    case '<':
      if (settings.tesselation > kMinTesselation) settings.tesselation -= 1;
      overlay.ShowMessage("Tesselation: %d\n", settings.tesselation);
      break;
    case '>':
      if (settings.tesselation < kMaxTesselation) settings.tesselation += 1;
      overlay.ShowMessage("Tesselation: %d\n", settings.tesselation);
      break;
    case 'C':
    case 'c': Flip(settings.fpsClock, "Frame/Second Clock On", "Frame/Second Clock Off"); break;
    case 'F':
    case 'f':
      fullScreen = !fullScreen;
      if (fullScreen == 0) {
        CurrentWindow().ReshapeWindow(512, 512);
      } else {
        CurrentWindow().FullScreen();
      }
      break;
    case 'L':
    case 'l':
      // Walks 1..6, -5..0 so that letterbox runs up and down without repeating an end.
      letterboxSelector =
          letterboxSelector == kMaxLetterbox ? 1 - kMaxLetterbox : letterboxSelector + 1;
      settings.letterbox = std::abs(letterboxSelector);
      overlay.ShowMessage("Letterbox: %d", settings.letterbox);
      break;
    case 'N':
    case 'n':
      // Walks 1..8, -7..-1, then 2: the count runs up and down, never 0, without repeating an end.
      rippleSelector = rippleSelector == kMaxRipples    ? kMinRipples - kMaxRipples
                       : rippleSelector == -kMinRipples ? kMinRipples + 1
                                                        : rippleSelector + 1;
      rippleCount = std::abs(rippleSelector);
      overlay.ShowMessage("# Overlapping Ripples: %d", rippleCount);
      break;
    case 'O':
    case 'o':
      settings.colorOption = settings.colorOption == kSchemes - 1 ? 0 : settings.colorOption + 1;
      // A value put there by other means than this key has no name to show.
      if (settings.colorOption >= 0 && settings.colorOption < kSchemes)
        ShowScheme(settings.colorOption);
      break;
    case 'P':
    case 'p': Flip(paused, "Pause Action", "Continue Action"); break;
    case 'R':
    case 'r':
      SeedRandom(elapsedMs);
      ResetSettings();
      InitOscillators(kOscillators);
      SetupAmbientLight(1, 0.5f, 0.9f);
      overlay.ShowMessage("Reset");
      break;
    case 'S':
    case 's': Flip(settings.spotlights, "SpotLights On", "SpotLights Off"); break;
    case 'T':
    case 't': Flip(settings.textures, "Textures On", "Textures Off"); break;
    case 'U':
    case 'u': Flip(settings.universe, "Universe On", "Universe Off"); break;
    case 'W':
    case 'w':
      settings.polyMode = settings.polyMode == 2 ? 0 : settings.polyMode + 1;
      if (settings.polyMode >= 0 && settings.polyMode < 3) {
        overlay.ShowMessage(kPolyModeMessages[settings.polyMode]);
      }
      break;
    default: break;
  }
}

void SpecialKeyHandler(int key, int, int) {
  switch (key) {
    case kKeyLeft: Scale(settings.mainSpeed, kDown, "Main Speed: %4.2f\n"); break;
    case kKeyRight: Scale(settings.mainSpeed, kUp, "Main Speed: %4.2f\n"); break;
    case kKeyUp: Scale(settings.frequency, kUp, "Frequency: %4.2f\n"); break;
    case kKeyDown: Scale(settings.frequency, kDown, "Frequency: %4.2f\n"); break;
    default: break;
  }
}

void MouseHandler(int button, int, int x, int y) {
  if (button != kLeftButton) return;
  // Press and release alike record the position relative to the centre.
  mouseX = static_cast<int32_t>(x - screenWidth * 0.5);
  mouseY = static_cast<int32_t>(y - screenHeight * 0.5);
}
