// Every user-adjustable value: the one settings record and the control
// variables beside it. ResetSettings (app/Defaults.h) gives them their defaults.
#pragma once

#include <cstdint>

// The ranges the keys hold the settings to, and every front end with them.
inline constexpr int kMinRipples = 1, kMaxRipples = 8;
inline constexpr int kMinTesselation = 1, kMaxTesselation = 20;
inline constexpr int kMaxLetterbox = 6;
inline constexpr int kSchemes = 8;
// The colour schemes by number, as the `o` key names them.
inline constexpr const char* kSchemeNames[kSchemes] = {
    "Sharp Blue Edges", "Blue Center",      "Red Edges",       "Yellow-Green", "Eggs",
    "Clouds",           "Fuzzy Blue Edges", "3 Random Colors",
};

class SimSettings {
 public:
  // Fields keep their static zero until ResetSettings runs.
  SimSettings() = default;
  virtual ~SimSettings();

  int32_t fov;             // degrees, 10..178; no reader
  int32_t letterbox;       // 0..6, the bars' height in 5% steps
  int32_t tesselation;     // grid step and point size in pixels, 1..20
  int32_t universe;        // flag; no reader
  int32_t clearEachFrame;  // flag; off leaves earlier frames behind
  int32_t spotlights;      // flag; lights the ripple field
  int32_t textures;        // flag; no reader
  int32_t polyMode;        // 0 fill, 1 line, 2 point
  int32_t colorOption;     // colour scheme 0..7
  int32_t fpsClock;        // flag; shows the frame-rate line
  float rotateSpeed;       // oscillator channels 1..3
  float movementSpeed;     // oscillator channels 4..6
  float cameraZ;           // no reader
  float objectSize;        // no reader
  float mainSpeed;         // ripple motion, channels 7..49
  float frequency;         // ripple spatial scale
  float lightRotateSpeed;  // spot-light orbit, channels 50 and up
};

extern SimSettings settings;

extern int32_t rippleCount;        // ripples drawn, 1..8
extern int32_t rippleSelector;     // ping-pong walk; rippleCount is its absolute value
extern int32_t letterboxSelector;  // ping-pong walk; letterbox is its absolute value
extern int32_t paused;             // non-zero: the animation stands still
extern int32_t helpShown;          // non-zero: the help page is drawn
extern int32_t fullScreen;         // full-screen state as the F key sees it
extern int32_t mouseX, mouseY;     // last left-button position from the centre

// The record and the control variables as at launch, before any default is set.
void ResetControls();
