// The two swap-control extensions differ only in taking the drawable or not.
#include "window/xlib/SwapInterval.h"

#include <GL/glx.h>
#include <GL/glxext.h>

#include "window/Extensions.h"

namespace {
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
