// The screen saver's settings, kept for each user under
// HKEY_CURRENT_USER\Software\Wendrix, a value for each picture option under its
// registry name (saver/Scene.h): read by /s and /p, written by the settings
// dialog; Seed, which no dialog writes, repeats a start as the X hack's --seed.
#pragma once

#include "saver/Scene.h"

// Every value of the registry key; one missing, unreadable or out of range
// keeps the program's default. Without a Seed value the seed is the clock's.
SceneOptions ReadSaverSettings();
// Writes each option that is given; false when the key cannot be written.
bool WriteSaverSettings(const SceneOptions& options);
