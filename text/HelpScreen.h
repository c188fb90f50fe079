// The page of controls drawn over the picture while help is on.
#pragma once

#include <span>

constexpr int kHelpLineCount = 29;
extern const char* const kHelpLines[kHelpLineCount];
// The page's lines that name keys: after the title, up to "<ESC> to QUIT.".
std::span<const char* const> HelpKeyLines();

void HelpScreen();
