// The OpenGL side of a Win32 window: its pixel format, its context and the
// swap interval, through the WGL extensions where the driver offers them.
#pragma once

#include <windows.h>

#include <string>

// Gives dc the best pixel format of RGBA, double buffer and depth, with four
// samples where WGL_ARB_multisample offers them (WGL_ARB_pixel_format chooses;
// without it, ChoosePixelFormat), then makes a context current on it. `bare`:
// neither depth nor samples, for a screen saver that uses neither. Null with a
// reason when there is no such format or no context.
HGLRC CreateWglContext(HDC dc, bool bare, std::string* error);
// The name a GL context's renderer gives (GL_RENDERER), read on a throwaway
// window, since a window's pixel format, once set, is for good; empty where no
// context can be had.
std::string WglRenderer();
// One buffer swap per `interval` refreshes through WGL_EXT_swap_control on the
// current context; false where it is not offered.
bool SetWglSwapInterval(HDC dc, int interval);
