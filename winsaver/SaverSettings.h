// The screen saver's settings, kept for each user under
// HKEY_CURRENT_USER\Software\Wendrix as values named Scheme ("random" or 0..7),
// Ripples, Tesselation, Speed, Frequency, Letterbox, SpotLight, FrameRate and
// Present ("auto", "gl" or "image"): read by /s and /p, written by the settings
// dialog; and Seed, which no dialog writes, to repeat a start as the X hack's --seed.
#pragma once

#include <string>

#include "saver/Scene.h"

// One value's text (a DWORD is read as its decimal digits) into options, as
// the picture option it holds takes it (SpotLight and FrameRate: 0 or 1); false,
// options untouched and a reason that names it, for a name it does not know or
// a text it refuses.
bool TakeSetting(const std::string& name, const std::string& text, SceneOptions* options,
                 std::string* error);

// A number as the settings keep it and the dialog shows it: plain decimal, no
// exponent, no trailing zeros, so that what is shown is read back unchanged.
std::string FactorText(float value);

// Every value of the registry key; one missing, unreadable or out of range
// keeps the program's default. Without a Seed value the seed is the clock's.
SceneOptions ReadSaverSettings();
// Writes each option that is given; false when the key cannot be written.
bool WriteSaverSettings(const SceneOptions& options);
