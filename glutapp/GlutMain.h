// The program in a GLUT window: start-up, the callbacks, GLUT's main loop.
#pragma once

#include <span>

#include "window/xlib/WindowIdentity.h"

void IdleHandler();

// The whole of wendrix, its window showing `icons`: 0 once Escape's fade has
// ended it or its window was closed, or at once without a window when the
// command line asks for the usage or the version (0, or 1 when they cannot be
// written) or is wrong (2).
int RunWendrix(int argc, char** argv, std::span<const EmbeddedPng> icons = {});
