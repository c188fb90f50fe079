// The page's program: the desktop's start-up and frames, one frame for each of
// the browser's animation frames, until Escape's fade or the fixed clock's last
// frame ends them.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstdint>
#include <string>

#include "app/Clock.h"
#include "app/Process.h"
#include "app/Shell.h"
#include "cmdline/Arguments.h"
#include "painters/webgl/WebGlPainter.h"
#include "sim/FieldPath.h"
#include "state/Settings.h"
#include "webapp/PageOptions.h"
#include "window/web/WebWindow.h"
#include "windowsystem/TypedKeys.h"

namespace {

// What the page's frames go on with: its address's options, its window, and the
// fixed clock's next frame.
struct PageRun {
  PageOptions page;
  WebWindow* window = nullptr;
  int frame = 0;
};

void FullScreenChanged(bool now) { fullScreen = now ? 1 : 0; }

// One line under the picture, in the page's own text.
void Say(const std::string& line) {
  EM_ASM({ wendrixSay(UTF8ToString($0)); }, line.c_str());
}

void Frame(void* data) {
  PageRun& run = *static_cast<PageRun*>(data);
  const PageOptions& page = run.page;
  if (page.fixedClock) {
    for (const TimedKeys& timed : page.clock.keyAt) {
      if (timed.frame == run.frame) Type(timed.keys, run.window->key, run.window->special);
    }
    TurnCounterTo(static_cast<int64_t>(run.frame) * page.clock.frameMs);
  }
  if (!run.window->HandleEvents(ReshapeHandler) || !DisplayHandler()) {
    // Escape's fade has ended the program: no frame is asked for after this one.
    emscripten_cancel_main_loop();
    TearDown();
    EM_ASM({ wendrixEnded(); });
    return;
  }
  if (page.fixedClock && ++run.frame == page.clock.frames) {
    emscripten_cancel_main_loop();
    emscripten_set_window_title("Wendrix (done)");
  }
}

}  // namespace

// A key from the page's touch controls, as if typed; the page's one window is a WebWindow.
extern "C" EMSCRIPTEN_KEEPALIVE void wendrix_press(int code, int special) {
  static_cast<WebWindow&>(CurrentWindow()).Press(code, special != 0, true);
}

int main() {
  SetProgramName("wendrix");
  char* query = emscripten_run_script_string("location.search");
  static PageRun run{ReadAddress(query != nullptr ? query : "")};
  const PageOptions& page = run.page;
  // A page served without cross-origin isolation has no shared memory for threads.
  fieldPath.threads = 1;
  if (page.fixedClock) UseTurnedCounter();
  static WebWindow web(FullScreenChanged);
  static WebGlPainter painter(page.fieldRows);
  run.window = &web;
  UseWindow(&web);  // the touch controls' keys reach it even where start-up fails
  std::string error;
  if (!StartUp(web, painter, {.startHint = !page.embed}, &error)) {
    Say("Wendrix cannot draw here: " + error + ".");
    return 1;
  }
  fullScreen = 0;  // the page starts in the browser's window
  // Which way the field is drawn, for the page's readers: "gpu" or "rows".
  EM_ASM({ document.body.dataset.field = $0 ? 'gpu' : 'rows'; }, painter.FieldInShader());
  if (page.scene.seed.has_value()) {
    StartScene(page.scene);
  } else {
    ApplyScene(page.scene);  // without a seed, the first frame is wendrix's own
  }
  Type(page.clock.keys, web.key, web.special);  // not the user's: no full screen
  if (page.embed) {
    EM_ASM({ document.body.classList.add('embed'); });
  } else {
    web.Listen();
  }
  for (const std::string& why : page.refused) Say(why + "; the default is used.");
  emscripten_set_main_loop_arg(Frame, &run, 0, 0);
  return 0;
}
