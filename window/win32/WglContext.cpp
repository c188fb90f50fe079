// WGL's extensions are reached only through a current context, and a window's
// pixel format can be set once: a throwaway window and context come first.
#include "window/win32/WglContext.h"

#include <GL/gl.h>
#include <GL/wglext.h>

#include <vector>

#include "cmdline/Arguments.h"
#include "window/Extensions.h"

namespace {
PIXELFORMATDESCRIPTOR PlainDescriptor(bool bare) {
  PIXELFORMATDESCRIPTOR descriptor{};
  descriptor.nSize = sizeof descriptor;
  descriptor.nVersion = 1;
  descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  descriptor.iPixelType = PFD_TYPE_RGBA;
  descriptor.cColorBits = 24;
  descriptor.cDepthBits = bare ? 0 : 24;
  descriptor.iLayerType = PFD_MAIN_PLANE;
  return descriptor;
}

template <typename Function>
Function Lookup(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

const char* WglExtensions(HDC dc) {
  auto* extensions = Lookup<PFNWGLGETEXTENSIONSSTRINGARBPROC>("wglGetExtensionsStringARB");
  return extensions != nullptr ? extensions(dc) : "";
}

// Runs use(dc) with a context current on a throwaway window of the plain
// format, and gives everything back; `use` is not run where none can be had.
template <typename Use>
void WithProbeContext(Use use) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW probeClass{};
  probeClass.lpfnWndProc = DefWindowProcW;
  probeClass.hInstance = instance;
  probeClass.lpszClassName = L"WendrixProbe";
  RegisterClassW(&probeClass);  // fails harmlessly when it is there already
  HWND probe = CreateWindowW(L"WendrixProbe", L"", WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0,
                             0, 1, 1, nullptr, nullptr, instance, nullptr);
  if (probe == nullptr) return;
  HDC probeDc = GetDC(probe);
  const PIXELFORMATDESCRIPTOR plain = PlainDescriptor(false);
  SetPixelFormat(probeDc, ChoosePixelFormat(probeDc, &plain), &plain);
  HGLRC context = wglCreateContext(probeDc);
  if (context != nullptr && wglMakeCurrent(probeDc, context)) use(probeDc);
  wglMakeCurrent(nullptr, nullptr);
  if (context != nullptr) wglDeleteContext(context);
  ReleaseDC(probe, probeDc);
  DestroyWindow(probe);
}

// The chosen format through WGL_ARB_pixel_format; 0 where the extension is
// missing or nothing matches.
int ChooseWithExtensions(bool bare) {
  int format = 0;
  WithProbeContext([&](HDC probeDc) {
    const char* extensions = WglExtensions(probeDc);
    auto* choose = Lookup<PFNWGLCHOOSEPIXELFORMATARBPROC>("wglChoosePixelFormatARB");
    if (choose == nullptr || !HasExtension(extensions, "WGL_ARB_pixel_format")) return;
    std::vector<int> wanted = {
        WGL_DRAW_TO_WINDOW_ARB, 1,  WGL_SUPPORT_OPENGL_ARB, 1,
        WGL_DOUBLE_BUFFER_ARB,  1,  WGL_PIXEL_TYPE_ARB,     WGL_TYPE_RGBA_ARB,
        WGL_COLOR_BITS_ARB,     24, WGL_DEPTH_BITS_ARB,     bare ? 0 : 24};
    // Four samples a pixel, as GLUT's window has; the grid itself is drawn single-sampled.
    const int samples[] = {WGL_SAMPLE_BUFFERS_ARB, 1, WGL_SAMPLES_ARB, 4};
    const bool multisample = !bare && HasExtension(extensions, "WGL_ARB_multisample");
    for (int attempt = multisample ? 0 : 1; attempt < 2 && format == 0; ++attempt) {
      std::vector<int> attributes = wanted;
      if (attempt == 0) attributes.insert(attributes.end(), std::begin(samples), std::end(samples));
      attributes.push_back(0);
      UINT count = 0;
      if (choose(probeDc, attributes.data(), nullptr, 1, &format, &count) == FALSE || count == 0) {
        format = 0;
      }
    }
  });
  return format;
}
}  // namespace

HGLRC CreateWglContext(HDC dc, bool bare, std::string* error) {
  const PIXELFORMATDESCRIPTOR plain = PlainDescriptor(bare);
  const auto set = [dc](int format) {
    PIXELFORMATDESCRIPTOR descriptor{};
    return format != 0 && DescribePixelFormat(dc, format, sizeof descriptor, &descriptor) != 0 &&
           SetPixelFormat(dc, format, &descriptor) != FALSE;
  };
  // Should the window refuse the extension's choice, the plain format may still do.
  if (!set(ChooseWithExtensions(bare)) && !set(ChoosePixelFormat(dc, &plain))) {
    Fail(error, "no OpenGL pixel format with RGBA, double buffer and depth");
    return nullptr;
  }
  HGLRC context = wglCreateContext(dc);
  if (context == nullptr || wglMakeCurrent(dc, context) == FALSE) {
    if (context != nullptr) wglDeleteContext(context);
    Fail(error, "cannot create an OpenGL context");
    return nullptr;
  }
  return context;
}

bool SetWglSwapInterval(HDC dc, int interval) {
  auto* swapInterval = Lookup<PFNWGLSWAPINTERVALEXTPROC>("wglSwapIntervalEXT");
  if (swapInterval == nullptr || !HasExtension(WglExtensions(dc), "WGL_EXT_swap_control")) {
    return false;
  }
  return swapInterval(interval) != FALSE;
}

std::string WglRenderer() {
  std::string name;
  WithProbeContext([&](HDC) {
    if (const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER))) {
      name = renderer;
    }
  });
  return name;
}
