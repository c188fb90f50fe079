// What a key the page hears means to Wendrix, whatever the platform: the
// browser's name for the key as GLUT's code, and the keys left to the browser.
#pragma once

// The keys held with it, as a key event reports them.
struct HeldKeys {
  bool ctrl = false;
  bool alt = false;
  bool meta = false;
};

// A key event's `key` name as GLUT's code: a character (*special false) or a
// special key; -1 for a key the program has no use for, or one held with
// Ctrl, Alt or Meta, whose shortcuts stay the browser's (Ctrl+R, Alt+Left...).
int KeyCode(const char* name, HeldKeys held, bool* special);
