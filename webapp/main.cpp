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
  const WebGlPainter* painter = nullptr;
  int shownWay = -1;  // the field's way the page says it draws: 1 the GPU, 0 the rows
  int frame = 0;
  bool waitingToPlay = false;  // started paused, with the line that says how to play
};

void FullScreenChanged(bool now) { fullScreen = now ? 1 : 0; }

// One line under the picture, in the page's own text.
void Say(const std::string& line) {
  EM_ASM({ wendrixSay(UTF8ToString($0)); }, line.c_str());
}

// Which way the field is drawn, for the page's readers: from start-up, and again
// if a field program that will not link turns the painter to the rows.
void ShowFieldWay(PageRun& run) {
  if (const int way = run.painter->FieldInShader() ? 1 : 0; way != run.shownWay) {
    run.shownWay = way;
    EM_ASM({ document.body.dataset.field = $0 ? 'gpu' : 'rows'; }, way);
  }
}

void Frame(void* data) {
  PageRun& run = *static_cast<PageRun*>(data);
  const PageOptions& page = run.page;
  if (run.waitingToPlay && paused == 0) {
    // Played, by P or a tap: the line that said how has done its work.
    run.waitingToPlay = false;
    EM_ASM({ wendrixPlays(); });
  }
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
  ShowFieldWay(run);
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
  run.painter = &painter;
  UseWindow(&web);  // the touch controls' keys reach it even where start-up fails
  std::string error;
  if (!StartUp(web, painter, {.startHint = !page.embed}, &error)) {
    Say("Wendrix cannot draw here: " + error + ".");
    return 1;
  }
  fullScreen = 0;  // the page starts in the browser's window
  ShowFieldWay(run);
  if (page.scene.seed.has_value()) {
    StartScene(page.scene);
  } else {
    ApplyScene(page.scene);  // without a seed, the first frame is wendrix's own
  }
  // A visitor whose browser asks for less motion sees the first frame standing still until
  // they play it; the address's play decides instead where it is given.
  const bool reduceMotion =
      EM_ASM_INT({ return matchMedia('(prefers-reduced-motion: reduce)').matches ? 1 : 0; }) != 0;
  const bool startPaused = !page.play.value_or(!reduceMotion);
  paused = startPaused ? 1 : 0;
  Type(page.clock.keys, web.key, web.special);  // not the user's: no full screen
  if (page.embed) {
    EM_ASM({ document.body.classList.add('embed'); });
  } else {
    web.Listen();
  }
  for (const std::string& why : page.refused) Say(why + "; the default is used.");
  if (page.moreRefused > 0) {
    Say(std::to_string(page.moreRefused) +
        (page.moreRefused == 1 ? " more option is" : " more options are") +
        " refused too; their defaults are used.");
  }
  // The keys typed from the address may have played it already.
  run.waitingToPlay = startPaused && paused != 0 && !page.embed;
  if (run.waitingToPlay) EM_ASM({ wendrixStartsPaused($0); }, page.play.has_value() ? 0 : 1);
  emscripten_set_main_loop_arg(Frame, &run, 0, 0);
  return 0;
}
