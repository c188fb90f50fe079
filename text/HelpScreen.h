// The page of controls drawn over the picture while help is on.
#pragma once

constexpr int kHelpLineCount = 29;
extern const char* const kHelpLines[kHelpLineCount];

void HelpScreen();
