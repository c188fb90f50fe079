// The program's spine: start-up hooks, window callbacks and the one exit path.
#pragma once

#include <cstdint>

extern uint32_t screenWidth;     // window width in pixels, set by ReshapeHandler
extern uint32_t screenHeight;    // window height in pixels, set by ReshapeHandler
extern int32_t shellFullScreen;  // full-screen state as DefaultKeyHandler sees it
extern uint32_t rampTexture;     // the procedural ramp made at start-up

// Seeds the generator from the clock, still 0, so every run starts alike.
bool PreInit();
// Application set-up, after the window exists and the clock has started.
bool Init();
// Releases the font and ends the process with exit code 0.
[[noreturn]] void ExitApp();

void ReshapeHandler(int width, int height);
void DisplayHandler();
void IdleHandler();
// Serves until Init installs the application's own keys.
void DefaultKeyHandler(unsigned char key, int x, int y);

// The whole program in a GLUT window: start-up, then GLUT's main loop.
int RunWendrix(int argc, char** argv);
