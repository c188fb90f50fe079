// One thread: events, a frame, then sleep away the rest of the frame's time,
// so a screen saver on an idle desktop takes a share of one core, not two.
#include "saver/Saver.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "app/Process.h"
#include "app/Shell.h"
#include "saver/Scene.h"
#include "window/xlib/SwapInterval.h"
#include "window/xlib/XlibWindow.h"

namespace {
constexpr long kNanosecondsPerMicrosecond = 1000;
constexpr long kNanosecondsPerSecond = 1000000000;

volatile std::sig_atomic_t stopRequested = 0;  // set by the daemon's SIGTERM and the like

void RequestStop(int) { stopRequested = 1; }

void InstallStopHandlers() {
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: the frame's sleep ends at the signal instead of running out.
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

int Fail(const std::string& why) {
  std::fprintf(stderr, "wendrix-saver: %s\n", why.c_str());
  return 1;
}

// The window the options name: --window-id, else for --root the daemon's
// window or the (virtual) root, else 0 for a window of its own.
bool TargetWindow(const SaverOptions& options, Display* display, Window* target,
                  std::string* error) {
  *target = 0;
  if (options.windowId.has_value()) {
    *target = *options.windowId;
  } else if (options.root) {
    const char* named = std::getenv("XSCREENSAVER_WINDOW");
    if (named == nullptr || *named == '\0') {
      *target = VirtualRoot(display);
    } else if (!ParseWindowId(named, target)) {
      *error = std::string("XSCREENSAVER_WINDOW=\"") + named + "\" is no window id";
      return false;
    }
  }
  return true;
}

timespec Later(timespec at, long microseconds) {
  at.tv_nsec += microseconds % 1000000 * kNanosecondsPerMicrosecond;
  at.tv_sec += microseconds / 1000000 + at.tv_nsec / kNanosecondsPerSecond;
  at.tv_nsec %= kNanosecondsPerSecond;
  return at;
}

// Frames until a signal, or until the window goes or is closed. Measured on
// llvmpipe at 1920x1080: a frame costs about 20 ms of processor time, so the
// default 20 ms delay holds the hack to about one core, where no delay takes
// 1.6 of two (README, "Screen saver").
void DrawFrames(XlibWindow& window, long delayUs) {
  while (stopRequested == 0) {
    timespec frameStart{};
    clock_gettime(CLOCK_MONOTONIC, &frameStart);
    if (!window.HandleEvents(ReshapeHandler)) return;
    DisplayHandler();
    const timespec next = Later(frameStart, delayUs);
    // A signal cuts the sleep short; the loop's test then ends the run.
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
  }
}
}  // namespace

int RunSaver(const SaverOptions& options) {
  InstallStopHandlers();
  XlibWindow window;
  std::string error;
  Window target = 0;
  if (!window.Connect(&error) || !TargetWindow(options, window.display(), &target, &error)) {
    return Fail(error);
  }
  window.SetTarget(target);
  // No keys reach a hack, so the hint to press ? would only be noise.
  if (!StartUp(window, {.startHint = false}, &error)) return Fail(error);
  StartScene(options.scene);
  // --delay paces the frames; a wait for the refresh on top would round each
  // 20 ms frame up to two 60 Hz refreshes. Without a delay the refresh paces.
  SetSwapInterval(window.display(), window.window(), options.delayUs > 0 ? 0 : 1);

  DrawFrames(window, options.delayUs);

  TearDown();
  window.Close();
  UseWindow(nullptr);
  return 0;
}

int SaverMain(int argc, char** argv) {
  SaverOptions options;
  std::string error;
  switch (ParseSaverOptions(argc, argv, &options, &error)) {
    case SaverParse::kHelp: std::fputs(SaverUsage(), stdout); return 0;
    case SaverParse::kVersion: std::puts("wendrix-saver " WENDRIX_VERSION); return 0;
    case SaverParse::kUsageError:
      std::fprintf(stderr, "wendrix-saver: %s\n%s", error.c_str(), SaverUsage());
      return 2;
    case SaverParse::kRun: break;
  }
  return RunSaver(options);
}
