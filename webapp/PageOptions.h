// The page's address as options: the screen saver's picture options, the
// renderer's fixed clock and keys, and the embedding mode, each checked as the
// programs check them; a refused one is named and keeps its default.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/FixedClock.h"
#include "saver/Scene.h"

// The most refused options named each in a line; those after them are only counted.
inline constexpr int kMostRefused = 6;

struct PageOptions {
  SceneOptions scene;
  bool embed = false;                // a backdrop: no start hint, no keys, no controls
  bool fieldRows = false;            // field=rows: the processor's rows, not the GPU's field
  std::optional<bool> play;          // playing or paused at the start; none: as the browser asks
  bool fixedClock = false;           // frames, frame-ms or key-at given: frame i at i x frame-ms
  FixedClock clock;                  // frames, frameMs, keys and keyAt as wendrix-render takes them
  std::vector<std::string> refused;  // why, one line for each option refused, kMostRefused at most
  int moreRefused = 0;               // options refused beyond those
};

// The query of the address ("?scheme=4&fps=1", the "?" optional), decoded as a
// browser encodes a form: "+" is a space, %XX a byte. Names are lower case, as
// written; an option given twice counts as given last. A flag is on as "1" or
// bare, off as "0".
PageOptions ReadAddress(std::string_view query);
