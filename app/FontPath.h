// Where the glyph atlas is looked for, and its loading at start-up.
#pragma once

#include <string>
#include <vector>

class Image;

// The places tried, in order: the working directory, the executable's own
// directory, ../share/wendrix beside it, ../../share/wendrix (for the screen
// saver in libexec/xscreensaver), then the installed data directory
// (InstalledDataDir, platform/Platform.h).
std::vector<std::string> FontCandidates(const std::string& executableDir);
// The atlas from the first candidate that loads; otherwise says on stderr what it
// tried, and the painters show text as blocks.
bool LoadFontImage(Image* atlas);
