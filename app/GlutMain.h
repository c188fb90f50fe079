// The program in a GLUT window: start-up, the callbacks, GLUT's main loop.
#pragma once

#include <span>

#include "window/xlib/WindowIdentity.h"

void IdleHandler();

// The whole of wendrix, its window showing `icons`; returns only if GLUT's
// main loop does, or at once with 0 after answering --help or --version.
int RunWendrix(int argc, char** argv, std::span<const EmbeddedPng> icons = {});
