// Keys a program types into itself (wendrix-render's --keys, the page's
// address): the text that names them, and their delivery to a window's
// handlers as if typed, never as the user's own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "windowsystem/Window.h"

// One key as the program receives it: a character for the keyboard handler,
// or a special key code (windowsystem/Keys.h) for the special-key handler.
struct KeyPress {
  bool special = false;
  int code = 0;
  bool operator==(const KeyPress&) const = default;
};

// KEYS: characters stand for themselves; <esc>, <space>, <left>, <right>,
// <up>, <down> name those keys and <lt> stands for "<".
bool ParseKeys(std::string_view text, std::vector<KeyPress>* keys, std::string* error);
// Each key to the handler it is for, in order; a handler not installed takes nothing.
void Type(const std::vector<KeyPress>& keys, KeyCallback key, SpecialCallback special);
