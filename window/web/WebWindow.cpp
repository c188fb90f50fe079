// The page's canvas and events through Emscripten's html5.h. Keys are read from
// the event's `key`, which already holds what Shift made of them: "(" arrives as
// "(", never as "9".
#include "window/web/WebWindow.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstring>

#include "window/web/PageKeys.h"
#include "windowsystem/Keys.h"

namespace {

bool InFullScreen() {
  return EM_ASM_INT({ return document.fullscreenElement ? 1 : 0; }) != 0;
}

void LeaveFullScreen() {
  EM_ASM({ document.exitFullscreen().catch(function(){}); });
}

EM_BOOL OnKey(int, const EmscriptenKeyboardEvent* event, void* data) {
  bool special = false;
  const HeldKeys held = {event->ctrlKey != 0, event->altKey != 0, event->metaKey != 0};
  const int code = KeyCode(event->key, held, &special);
  if (code < 0) return EM_FALSE;
  // In full screen the first Escape only leaves it, in every browser alike: most keep that
  // Escape for themselves, and a user who leaves full screen does not mean to end Wendrix.
  if (code == 27 && !special && InFullScreen()) {
    LeaveFullScreen();
    return EM_TRUE;
  }
  static_cast<WebWindow*>(data)->Press(code, special, true);
  return EM_TRUE;  // the page's own: no scrolling by the arrows or the space bar
}

EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* event, void* data) {
  auto* window = static_cast<WebWindow*>(data);
  if (window->mouse == nullptr || event->button > 2) return EM_FALSE;
  // The page's buttons are numbered as GLUT numbers them: left 0, middle 1, right 2.
  const int state = type == EMSCRIPTEN_EVENT_MOUSEDOWN ? kButtonDown : kButtonUp;
  window->mouse(event->button, state, static_cast<int>(event->targetX),
                static_cast<int>(event->targetY));
  return EM_FALSE;
}

}  // namespace

WebWindow::WebWindow(void (*fullScreenChanged)(bool)) : fullScreenChanged_(fullScreenChanged) {}

bool WebWindow::Open(std::string* error) {
  if (emscripten_webgl_get_current_context() != 0) return true;
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  // The picture and its text are opaque, single-sampled as the desktop draws them, and
  // kept between frames: the space key leaves earlier frames behind.
  attributes.alpha = EM_FALSE;
  attributes.depth = EM_FALSE;
  attributes.stencil = EM_FALSE;
  attributes.antialias = EM_FALSE;
  attributes.preserveDrawingBuffer = EM_TRUE;
  attributes.majorVersion = 1;
  const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context =
      emscripten_webgl_create_context("#canvas", &attributes);
  if (context <= 0) {
    if (error != nullptr) *error = "this browser gives the page no WebGL";
    return false;
  }
  emscripten_webgl_make_context_current(context);
  HandleEvents(nullptr);
  emscripten_set_fullscreenchange_callback(
      EMSCRIPTEN_EVENT_TARGET_DOCUMENT, this, EM_FALSE,
      [](int, const EmscriptenFullscreenChangeEvent* event, void* data) -> EM_BOOL {
        auto* window = static_cast<WebWindow*>(data);
        if (window->fullScreenChanged_ != nullptr) window->fullScreenChanged_(event->isFullscreen);
        return EM_FALSE;
      });
  return true;
}

void WebWindow::InstallInputHandlers(KeyCallback keyHandler, SpecialCallback specialHandler,
                                     MouseCallback mouseHandler) {
  key = keyHandler;
  special = specialHandler;
  mouse = mouseHandler;
}

void WebWindow::Listen() {
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_FALSE, OnKey);
  emscripten_set_mousedown_callback("#canvas", this, EM_FALSE, OnMouse);
  emscripten_set_mouseup_callback("#canvas", this, EM_FALSE, OnMouse);
}

void WebWindow::Press(int code, bool isSpecial, bool byUser) {
  inEvent_ = byUser;
  if (isSpecial && special != nullptr) special(code, 0, 0);
  if (!isSpecial && key != nullptr) key(static_cast<unsigned char>(code), 0, 0);
  inEvent_ = false;
}

void WebWindow::FullScreen() {
  if (inEvent_ && !InFullScreen()) {
    // Refused (no full screen in an iframe that does not allow it), the page stays as it is.
    EM_ASM({
      const page = document.documentElement;
      if (page.requestFullscreen) page.requestFullscreen().catch(function(){});
    });
  }
}

void WebWindow::ReshapeWindow(int, int) {
  if (inEvent_ && InFullScreen()) LeaveFullScreen();
}

void WebWindow::HideCursor() {
  EM_ASM({ document.getElementById('canvas').style.cursor = 'none'; });
}

bool WebWindow::HandleEvents(ReshapeCallback reshape) {
  double cssWidth = 0.0;
  double cssHeight = 0.0;
  emscripten_get_element_css_size("#canvas", &cssWidth, &cssHeight);
  const int width = cssWidth >= 1.0 ? static_cast<int>(cssWidth) : 1;
  const int height = cssHeight >= 1.0 ? static_cast<int>(cssHeight) : 1;
  if (width == width_ && height == height_) return true;
  width_ = width;
  height_ = height;
  emscripten_set_canvas_element_size("#canvas", width, height);
  if (reshape != nullptr) reshape(width, height);
  return true;
}
