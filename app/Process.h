// Process-wide state that every part of the program reads, and the one exit path.
#pragma once

#include <cstdint>

extern uint32_t screenWidth;   // window width in pixels, set by ReshapeHandler
extern uint32_t screenHeight;  // window height in pixels, set by ReshapeHandler

// Releases the font and ends the process with exit code 0.
[[noreturn]] void ExitApp();
