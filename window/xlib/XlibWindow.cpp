// GLX on a window the saver may not own: the GL configuration must be one of
// the window's visual, and the window may be resized or destroyed at any time.
#include "window/xlib/XlibWindow.h"

#include <GL/glx.h>
#include <X11/Xatom.h>

#include <cstdio>

#include "cmdline/Arguments.h"
#include "state/Frame.h"
#include "window/xlib/SwapInterval.h"
#include "window/xlib/WindowIdentity.h"

namespace {
// --- X errors: Xlib reports them through one process-wide handler ---

constexpr int kGlxBadDrawable = 2;  // GLXBadDrawable, from the GLX protocol's headers

int glxErrorBase = 0;
bool windowGone = false;     // an error said the drawable is no more
bool reportedOther = false;  // one line for anything else, not one a frame

int HandleXError(Display* display, XErrorEvent* event) {
  const int code = event->error_code;
  if (code == BadWindow || code == BadDrawable || code == glxErrorBase + kGlxBadDrawable) {
    windowGone = true;
  } else if (!reportedOther) {
    char text[160];
    XGetErrorText(display, code, text, sizeof text);
    std::fprintf(stderr, "%s: X error: %s (request %d)\n", ProgramName(), text,
                 event->request_code);
    reportedOther = true;
  }
  return 0;
}

std::string Hex(unsigned long id) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%lx", id);
  return text;
}

int Attribute(Display* display, GLXFBConfig config, int attribute) {
  int value = 0;
  glXGetFBConfigAttrib(display, config, attribute, &value);
  return value;
}

// The best RGBA window configuration of visual `wanted`. Double buffering
// counts most (no flicker), then no multisampling (nothing drawn shows it, and
// a software renderer resolves every sample of every swap), then no
// depth buffer: nothing the saver draws is depth tested. Null when the visual cannot do GL. The
// configurations are the window's own screen's: a visual id means nothing on another.
GLXFBConfig ChooseConfig(Display* display, int screen, VisualID wanted) {
  int count = 0;
  GLXFBConfig* configs = glXGetFBConfigs(display, screen, &count);
  GLXFBConfig best = nullptr;
  int bestScore = -1;
  for (int i = 0; i < count; ++i) {
    GLXFBConfig config = configs[i];
    if ((Attribute(display, config, GLX_RENDER_TYPE) & GLX_RGBA_BIT) == 0 ||
        (Attribute(display, config, GLX_DRAWABLE_TYPE) & GLX_WINDOW_BIT) == 0 ||
        static_cast<VisualID>(Attribute(display, config, GLX_VISUAL_ID)) != wanted) {
      continue;
    }
    const int score = (Attribute(display, config, GLX_DOUBLEBUFFER) != 0 ? 4 : 0) +
                      (Attribute(display, config, GLX_SAMPLES) == 0 ? 2 : 0) +
                      (Attribute(display, config, GLX_DEPTH_SIZE) == 0 ? 1 : 0);
    if (score > bestScore) {
      best = config;
      bestScore = score;
    }
  }
  if (configs != nullptr) XFree(configs);
  return best;
}
}  // namespace

bool XlibWindow::Connect(std::string* error) {
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) return Fail(error, "cannot open the X display (is DISPLAY set?)");
  XSetErrorHandler(HandleXError);
  int eventBase = 0;
  hasGlx_ = glXQueryExtension(display_, &glxErrorBase, &eventBase) != 0;
  return true;
}

bool XlibWindow::FollowTarget(XWindowAttributes* attributes, std::string* error) {
  // Its size changes and its end come as events, asked for before its size
  // is read so that no change falls between; the window stays its owner's.
  windowGone = false;
  XSelectInput(display_, target_, StructureNotifyMask);
  if (XGetWindowAttributes(display_, target_, attributes) == 0 || windowGone) {
    return Fail(error, "window " + Hex(target_) + " does not exist");
  }
  if (attributes->c_class == InputOnly) {
    return Fail(error, "window " + Hex(target_) + " is InputOnly: nothing can be drawn in it");
  }
  window_ = target_;
  width_ = attributes->width;
  height_ = attributes->height;
  visual_ = attributes->visual;
  depth_ = attributes->depth;
  return true;
}

bool XlibWindow::Open(std::string* error) {
  if (context_ != nullptr) return true;
  if (!hasGlx_) return Fail(error, "the X display has no GLX");
  GLXFBConfig config = nullptr;
  if (target_ == 0) {
    const int screen = DefaultScreen(display_);
    config = ChooseConfig(display_, screen, XVisualIDFromVisual(DefaultVisual(display_, screen)));
    if (config == nullptr) return Fail(error, "the screen's visual cannot do OpenGL");
    XVisualInfo* visual = glXGetVisualFromFBConfig(display_, config);
    if (visual == nullptr) return Fail(error, "no visual for the GL configuration");
    if (window_ == 0) CreateOwnWindow(visual->visual, visual->depth);
    XFree(visual);
  } else {
    XWindowAttributes attributes;
    if (!FollowTarget(&attributes, error)) return false;
    const VisualID visual = XVisualIDFromVisual(attributes.visual);
    config = ChooseConfig(display_, XScreenNumberOfScreen(attributes.screen), visual);
    if (config == nullptr) {
      return Fail(error, "window " + Hex(target_) + " has visual " + Hex(visual) +
                             ", which cannot do OpenGL");
    }
  }
  GLXContext context = glXCreateNewContext(display_, config, GLX_RGBA_TYPE, nullptr, True);
  if (context == nullptr)
    context = glXCreateNewContext(display_, config, GLX_RGBA_TYPE, nullptr, False);
  if (context == nullptr) return Fail(error, "cannot create a GLX context");
  context_ = context;
  const bool current = glXMakeCurrent(display_, window_, context) != 0;
  XSync(display_, False);
  if (current && !windowGone) return true;
  DropContext();  // a second Open tries afresh
  if (!current) return Fail(error, "cannot draw into window " + Hex(window_));
  return Fail(error, "window " + Hex(window_) + " went away at start-up");
}

const char* XlibWindow::Renderer() {
  std::string ignored;  // without a context, the image will say what is wrong, or GL's Open
  if (!Open(&ignored)) return nullptr;
  return reinterpret_cast<const char*>(glGetString(GL_RENDERER));
}

bool XlibWindow::OpenImage(std::string* error) {
  if (window_ == 0) {
    if (target_ == 0) {
      const int screen = DefaultScreen(display_);
      CreateOwnWindow(DefaultVisual(display_, screen), DefaultDepth(display_, screen));
    } else if (XWindowAttributes attributes; !FollowTarget(&attributes, error)) {
      return false;
    }
  }
  if (!VisualTakesPixelImage(visual_, depth_)) {
    return Fail(error,
                "window " + Hex(window_) + " is not 24- or 32-bit TrueColor: no image for it");
  }
  DropContext();  // kept till here for a GL that may still draw
  imagePath_ = true;
  if (!image_.Create(display_, window_, visual_, depth_, width_, height_, error)) return false;
  XSync(display_, False);
  if (windowGone) return Fail(error, "window " + Hex(window_) + " went away at start-up");
  return true;
}

void XlibWindow::DropContext() {
  if (context_ == nullptr) return;
  glXMakeCurrent(display_, 0, nullptr);
  glXDestroyContext(display_, static_cast<GLXContext>(context_));
  context_ = nullptr;
}

void XlibWindow::CreateOwnWindow(Visual* visual, int depth) {
  const int screen = DefaultScreen(display_);
  const Window root = RootWindow(display_, screen);
  XSetWindowAttributes attributes{};
  colormap_ = XCreateColormap(display_, root, visual, AllocNone);
  attributes.colormap = colormap_;
  attributes.background_pixel = BlackPixel(display_, screen);
  attributes.event_mask = StructureNotifyMask;
  window_ =
      XCreateWindow(display_, root, 0, 0, kLaunchWidth, kLaunchHeight, 0, depth, InputOutput,
                    visual, CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &attributes);
  visual_ = visual;
  depth_ = depth;
  ownWindow_ = true;
  width_ = kLaunchWidth;
  height_ = kLaunchHeight;
  XStoreName(display_, window_, "Wendrix");
  SetWindowIdentity(display_, window_, {});
  deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display_, window_, &deleteWindow_, 1);
  XMapWindow(display_, window_);
}

bool XlibWindow::HandleEvents(ReshapeCallback reshape) {
  while (!windowGone && XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    switch (event.type) {
      case ConfigureNotify: {
        const XConfigureEvent& configure = event.xconfigure;
        if (configure.window != window_) break;
        if (configure.width == width_ && configure.height == height_) break;
        width_ = configure.width;
        height_ = configure.height;
        if (imagePath_ && !RemakeImage()) return false;
        reshape(width_, height_);
        break;
      }
      case DestroyNotify:
        if (event.xdestroywindow.window == window_) windowGone = true;
        break;
      case ClientMessage:
        if (ownWindow_ && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_) {
          closed_ = true;
        }
        break;
      default: break;
    }
  }
  return !windowGone && !closed_;
}

bool XlibWindow::RemakeImage() {
  std::string error;
  if (image_.Create(display_, window_, visual_, depth_, width_, height_, &error)) return true;
  PrintFailure(error);
  return false;
}

void XlibWindow::WaitForRefresh(bool wait) {
  if (context_ != nullptr) SetSwapInterval(display_, window_, wait ? 1 : 0);
}

void XlibWindow::SwapBuffers() {
  if (imagePath_) {
    image_.Put();
  } else {
    glXSwapBuffers(display_, window_);
  }
}

void XlibWindow::Close() {
  if (display_ == nullptr) return;
  image_.Release();
  DropContext();
  if (ownWindow_ && !windowGone) XDestroyWindow(display_, window_);
  if (colormap_ != 0) XFreeColormap(display_, colormap_);
  colormap_ = 0;
  XCloseDisplay(display_);
  display_ = nullptr;
}

Window VirtualRoot(Display* display) {
  const Window root = DefaultRootWindow(display);
  const Atom vroot = XInternAtom(display, "__SWM_VROOT", False);
  Window rootReturn = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  Window found = root;
  if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) == 0) return root;
  for (unsigned i = 0; i < count && found == root; ++i) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, children[i], vroot, 0, 1, False, XA_WINDOW, &type, &format,
                           &items, &after, &data) == Success &&
        data != nullptr) {
      if (type == XA_WINDOW && items == 1) found = *reinterpret_cast<Window*>(data);
      XFree(data);
    }
  }
  if (children != nullptr) XFree(children);
  return found;
}
