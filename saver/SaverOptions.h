// The screen saver's command line, in XScreenSaver's manner: -name and --name
// alike, read by the C library's getopt_long_only.
#pragma once

#include <optional>
#include <string>

#include "cmdline/Arguments.h"
#include "saver/Scene.h"

struct SaverOptions {
  SceneOptions scene;    // the picture: --scheme, --ripples ... --fps, --seed, --present
  long delayUs = 20000;  // the least time a frame takes, microseconds
  bool root = false;
  std::optional<unsigned long> windowId;
};

// The arguments after the program name; kUsageError comes with a reason that
// names the option. Leaves the settings untouched: RunSaver applies them.
ParseResult ParseSaverOptions(int argc, char** argv, SaverOptions* options, std::string* error);
// An X window id, hex with 0x or decimal, 0x1 to 0x1fffffff; false with what is wrong.
bool ParseWindowId(const char* text, unsigned long* id, std::string* error);
std::string SaverUsage();
