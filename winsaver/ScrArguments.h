// The command line Windows starts a screen saver with: /s to run it, /p HWND
// to draw in a preview, /c or nothing for its settings. Windows and other
// programs write the letter in either case, after / or -, and the window as
// the next word or after a colon ("/p 1234", "/P:1234", "/c:1234", "-s").
#pragma once

#include <cstdint>

enum class ScrMode {
  kSettings,    // /c [HWND], or no argument: the settings dialog, owned by HWND when given
  kFullScreen,  // /s
  kPreview,     // /p HWND: inside that window
  kNothing,     // /a (Windows 95's password change) or words it does not know: end at once
};

struct ScrCommand {
  ScrMode mode = ScrMode::kSettings;
  uintptr_t window = 0;  // the HWND given, 0 for none
};

// The arguments after the program name. A preview without a window is kNothing.
ScrCommand ParseScrArguments(int argc, const char* const* argv);
