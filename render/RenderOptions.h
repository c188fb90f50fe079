// wendrix-render's command line: its options, each checked as it is read.
#pragma once

#include <string>
#include <vector>

#include "app/FixedClock.h"
#include "cmdline/Arguments.h"
#include "render/OutputPath.h"
#include "state/Frame.h"

// --quality: 0 (smallest) to 100 (best), for the formats that lose detail.
constexpr int kDefaultQuality = 70;

// --frames, --frame-ms, --keys and --key-at are the fixed clock's.
struct RenderOptions : FixedClock {
  int width = kLaunchWidth;
  int height = kLaunchHeight;
  int from = 0;                          // --from: numbered frames before it are drawn, not written
  OutputPattern pattern;                 // --out, parsed
  FilmFormat format = FilmFormat::kPng;  // by --out's extension
  int quality = kDefaultQuality;         // --quality
};

// The arguments after the program name; kUsageError comes with a reason.
ParseResult ParseRenderArguments(const std::vector<std::string>& args, RenderOptions* options,
                                 std::string* error);
std::string RenderUsage();
