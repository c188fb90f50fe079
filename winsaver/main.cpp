// wendrix.scr, Wendrix as a Windows screen saver: /s over every monitor until
// input comes, /p inside the preview of Screen Saver Settings until it goes, /c
// the settings. The picture starts as the program's own, then as the saved
// settings and a seed from the clock leave it (saver/Scene.h); it is drawn with
// GL or made on the processor as the Present setting and the renderer say.
#include <windows.h>

#include <string>

#include "app/Process.h"
#include "app/Shell.h"
#include "cmdline/Arguments.h"
#include "painters/Presenter.h"
#include "saver/Scene.h"
#include "window/win32/Win32Window.h"
#include "winsaver/SaverSettings.h"
#include "winsaver/ScrArguments.h"
#include "winsaver/SettingsDialog.h"

namespace {
// The least time a frame takes, as the X hack's default: at about 50 frames a
// second a screen saver on an idle desktop leaves most of the processor alone.
constexpr DWORD kFrameMs = 20;

// Windows names the window of /p and /c by its handle's number.
HWND WindowNamed(uintptr_t number) {
  return reinterpret_cast<HWND>(number);  // NOLINT(performance-no-int-to-ptr)
}

int RunSaver(Win32WindowKind kind, HWND parent) {
  Win32Window window({.kind = kind, .parent = parent});
  const SceneOptions options = ReadSaverSettings();
  std::string error;
  Presenter presenter(window);
  // Keys end a saver: no hint.
  if (!presenter.Open(window, options.present, &error) ||
      !StartUp(window, presenter.painter(), {.startHint = false}, &error)) {
    // A preview that cannot draw leaves its little screen as it was.
    if (kind == Win32WindowKind::kSaver) {
      ShowStartFailure(error);
    }
    return 1;
  }
  StartScene(options);
  timeBeginPeriod(1);  // waits to the millisecond, not to the 15.6 ms tick
  while (window.HandleEvents(ReshapeHandler)) {
    const DWORD start = GetTickCount();
    if (!DisplayHandler()) break;
    const DWORD spent = GetTickCount() - start;
    // Input ends the wait at once, so the saver goes the moment a key is pressed.
    if (spent < kFrameMs)
      MsgWaitForMultipleObjects(0, nullptr, FALSE, kFrameMs - spent, QS_ALLINPUT);
  }
  timeEndPeriod(1);
  TearDown();
  UseWindow(nullptr);
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  SetProgramName("wendrix.scr");
  const ScrCommand command = ParseScrArguments(argc - 1, argv + 1);
  switch (command.mode) {
    case ScrMode::kSettings: return RunSettingsDialog(WindowNamed(command.window));
    case ScrMode::kFullScreen: return RunSaver(Win32WindowKind::kSaver, nullptr);
    case ScrMode::kPreview: return RunSaver(Win32WindowKind::kPreview, WindowNamed(command.window));
    case ScrMode::kNothing: break;
  }
  return 0;
}
