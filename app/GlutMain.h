// The program in a GLUT window: start-up, the callbacks, GLUT's main loop.
#pragma once

void IdleHandler();

// The whole of wendrix; returns only if GLUT's main loop does.
int RunWendrix(int argc, char** argv);
