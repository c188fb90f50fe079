// One offscreen GL window per test process, current and installed as the
// program's window.
#pragma once

#include "app/OffscreenWindow.h"

// Opens the window at 640x480 on first use; aborts the test binary if EGL fails.
OffscreenWindow& TestWindow();
