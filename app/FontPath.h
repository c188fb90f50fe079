// Where the glyph atlas is looked for, and its loading at start-up.
#pragma once

#include <string>
#include <vector>

class Image;
struct Texture;

// The places tried, in order: the working directory, the executable's own
// directory, ../share/wendrix beside it, ../../share/wendrix (for the screen
// saver in libexec/xscreensaver), then the installed data directory
// (InstalledDataDir, platform/Platform.h).
std::vector<std::string> FontCandidates(const std::string& executableDir);
// Loads the first candidate that loads; otherwise says on stderr what it tried.
bool LoadFont(Texture& font);
// The same search for the atlas as an image, for text blended without GL.
bool LoadFontImage(Image* atlas);
