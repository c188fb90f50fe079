// Extension lists as GLX and WGL give them: names parted by spaces.
#pragma once

// Whole names only: GLX_EXT_swap_control_tear must not stand for GLX_EXT_swap_control.
bool HasExtension(const char* list, const char* name);
