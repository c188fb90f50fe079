// Pacing by the display: how many refreshes a buffer swap waits for, through
// whichever GLX swap-control extension the display offers.
#pragma once

#include <X11/Xlib.h>

// Asks for `interval` refreshes per swap on the drawable of the current context:
// GLX_EXT_swap_control, else GLX_MESA_swap_control. False when neither is offered.
bool SetSwapInterval(Display* display, unsigned long drawable, int interval);
