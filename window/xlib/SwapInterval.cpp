// The two swap-control extensions differ only in taking the drawable or not.
#include "window/xlib/SwapInterval.h"

#include <GL/glx.h>
#include <GL/glxext.h>

#include <cstring>

namespace {
// Whole names only: GLX_EXT_swap_control_tear must not stand for GLX_EXT_swap_control.
bool HasExtension(const char* list, const char* name) {
  const size_t length = std::strlen(name);
  for (const char* at = list; at != nullptr && (at = std::strstr(at, name)) != nullptr;
       at += length) {
    const bool starts = at == list || at[-1] == ' ';
    const bool ends = at[length] == ' ' || at[length] == '\0';
    if (starts && ends) return true;
  }
  return false;
}

template <typename Function>
Function Lookup(const char* name) {
  return reinterpret_cast<Function>(glXGetProcAddress(reinterpret_cast<const GLubyte*>(name)));
}
}  // namespace

bool SetSwapInterval(Display* display, unsigned long drawable, int interval) {
  if (display == nullptr || drawable == 0) return false;
  // The drawable's own screen's extensions; another screen may offer others.
  XWindowAttributes attributes;
  const int screen = XGetWindowAttributes(display, drawable, &attributes) != 0
                         ? XScreenNumberOfScreen(attributes.screen)
                         : DefaultScreen(display);
  const char* extensions = glXQueryExtensionsString(display, screen);
  if (HasExtension(extensions, "GLX_EXT_swap_control")) {
    auto* swapInterval = Lookup<PFNGLXSWAPINTERVALEXTPROC>("glXSwapIntervalEXT");
    if (swapInterval != nullptr) {
      swapInterval(display, drawable, interval);
      return true;
    }
  }
  if (HasExtension(extensions, "GLX_MESA_swap_control")) {
    auto* swapInterval = Lookup<PFNGLXSWAPINTERVALMESAPROC>("glXSwapIntervalMESA");
    if (swapInterval != nullptr) return swapInterval(static_cast<unsigned>(interval)) == 0;
  }
  return false;
}
