// One thread: events, a frame, then sleep away the rest of the frame's time,
// so a screen saver on an idle desktop takes a share of one core, not two.
#include "saver/Saver.h"

#include <poll.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "app/Process.h"
#include "app/Shell.h"
#include "cmdline/Arguments.h"
#include "painters/Presenter.h"
#include "platform/Signals.h"
#include "saver/Scene.h"
#include "window/xlib/XlibWindow.h"

namespace {
constexpr long kNanosecondsPerMicrosecond = 1000;
constexpr long kNanosecondsPerSecond = 1000000000;

// The signal that asked the hack to stop (the daemon's SIGTERM and the like), or 0.
volatile std::sig_atomic_t stopSignal = 0;

void RequestStop(int signal) { stopSignal = signal; }

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
    } else if (std::string why; !ParseWindowId(named, target, &why)) {
      return Fail(error, std::string("XSCREENSAVER_WINDOW=") + named + ": " + why);
    }
  }
  return true;
}

// What is left of a frame begun at `start` that is to take `microseconds`, never less than nothing.
timespec LeftOfFrame(const timespec& start, long microseconds) {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  long long left = (start.tv_sec - now.tv_sec) * kNanosecondsPerSecond +
                   (start.tv_nsec - now.tv_nsec) + microseconds * kNanosecondsPerMicrosecond;
  left = left < 0 ? 0 : left;
  return {static_cast<time_t>(left / kNanosecondsPerSecond),
          static_cast<long>(left % kNanosecondsPerSecond)};
}

// Frames until a signal, or until the window goes or is closed. The delay is
// what keeps a software-drawn GL frame from taking every core it can; what each
// presenter costs is in the README ("Screen saver").
void DrawFrames(XlibWindow& window, long delayUs) {
  // The end signals wait while a frame is drawn and are let in only by the sleep, so
  // one that comes mid-frame cuts that sleep short instead of being slept through.
  sigset_t asleep;  // the mask the sleep lets them in with
  HoldEndSignals(&asleep);
  while (stopSignal == 0) {
    timespec frameStart{};
    clock_gettime(CLOCK_MONOTONIC, &frameStart);
    if (!window.HandleEvents(ReshapeHandler) || !DisplayHandler()) break;
    const timespec left = LeftOfFrame(frameStart, delayUs);
    ppoll(nullptr, 0, &left, &asleep);
  }
  pthread_sigmask(SIG_SETMASK, &asleep, nullptr);
}
}  // namespace

int RunSaver(const SaverOptions& options) {
  // No restart: the frame's sleep ends at the signal instead of running out.
  CatchEndSignals(RequestStop);
  XlibWindow window;
  std::string error;
  Window target = 0;
  if (!window.Connect(&error) || !TargetWindow(options, window.display(), &target, &error)) {
    PrintFailure(error);
    return 1;
  }
  window.SetTarget(target);
  Presenter presenter(window);
  // No keys reach a hack: no hint.
  if (!presenter.Open(window, options.scene.present, &error) ||
      !StartUp(window, presenter.painter(), {.startHint = false}, &error)) {
    PrintFailure(error);
    return 1;
  }
  StartScene(options.scene);
  // --delay paces the frames; a wait for the refresh on top would round each
  // 20 ms frame up to two 60 Hz refreshes. Without a delay the refresh paces.
  window.WaitForRefresh(options.delayUs <= 0);

  DrawFrames(window, options.delayUs);

  TearDown();
  window.Close();
  UseWindow(nullptr);
  // Tidied up, it dies of the signal, so the daemon sees the hack it ended.
  if (stopSignal != 0) DieOfSignal(stopSignal);
  return 0;
}

int SaverMain(int argc, char** argv) {
  SetProgramName("wendrix-saver");
  SaverOptions options;
  std::string error;
  const ParseResult result = ParseSaverOptions(argc, argv, &options, &error);
  return result == ParseResult::kRun ? RunSaver(options) : AnswerParse(result, error, SaverUsage());
}
