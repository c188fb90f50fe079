// The offscreen window's context on Linux: EGL on Mesa's surfaceless platform,
// no X server and no window.
#include <EGL/egl.h>
#include <EGL/eglext.h>

#include "cmdline/Arguments.h"
#include "window/OffscreenWindow.h"

OffscreenWindow::~OffscreenWindow() {
  if (display_ == nullptr) return;
  ReleaseFramebuffer();
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context_ != nullptr) eglDestroyContext(display_, context_);
  // The display stays initialised: it is the process's one EGL display, not this window's,
  // and terminating it unloads Mesa's driver with blocks of its own still held.
}

bool OffscreenWindow::Open(std::string* error) {
  if (context_ != nullptr) return true;
  auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  EGLDisplay display = EGL_NO_DISPLAY;
  if (getPlatformDisplay != nullptr) {
    display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  }
  if (display == EGL_NO_DISPLAY) display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
  // What Debian splits off: the vendor library libglvnd's EGL hands the platform
  // to, and the drivers it loads.
  if (display == EGL_NO_DISPLAY) {
    return Fail(error,
                "no EGL display: Mesa's EGL driver, libEGL_mesa.so.0, is missing "
                "(Debian: libegl-mesa0)");
  }
  if (!eglInitialize(display, nullptr, nullptr)) {
    return Fail(error,
                "eglInitialize failed: no Mesa driver loaded, swrast_dri.so or one for "
                "the GPU (Debian: libgl1-mesa-dri)");
  }
  display_ = display;
  if (!eglBindAPI(EGL_OPENGL_API)) return Fail(error, "EGL has no desktop OpenGL");
  const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint configCount = 0;
  // Surfaceless drawing needs no surface type; a config is still wanted for the context.
  if (!eglChooseConfig(display, configAttributes, &config, 1, &configCount) || configCount < 1) {
    config = nullptr;
  }
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
  if (context == EGL_NO_CONTEXT) return Fail(error, "eglCreateContext failed");
  context_ = context;
  if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
    return Fail(error, "eglMakeCurrent without a surface failed");
  }
  return AttachFramebuffer(error);
}
