// The program's spine: start-up hooks and the window callbacks every window
// system drives alike.
#pragma once

#include <cstdint>

#include "app/Process.h"

extern int32_t shellFullScreen;  // full-screen state as DefaultKeyHandler sees it
extern uint32_t rampTexture;     // the procedural ramp made at start-up

// Seeds the generator from the clock, still 0, so every run starts alike.
bool PreInit();
// Application set-up, after the window exists and the clock has started.
bool Init();

void ReshapeHandler(int width, int height);
void DisplayHandler();
// Serves until Init installs the application's own keys.
void DefaultKeyHandler(unsigned char key, int x, int y);
