// The page's keys as the program receives them, one key event a row: the
// browser's name for the key, the keys held with it, and the code it becomes.
#include "window/web/PageKeys.h"

#include <gtest/gtest.h>

#include <string>

#include "windowsystem/Keys.h"

namespace {

// "c" for a character, "s" for a special key, then the code; "none" for -1.
std::string Received(const char* name, HeldKeys held) {
  bool special = true;
  const int code = KeyCode(name, held, &special);
  return code < 0 ? "none" : (special ? "s" : "c") + std::to_string(code);
}

TEST(PageKeys, EachKeyAsTheProgramReceivesIt) {
  const HeldKeys none, ctrl{true, false, false}, alt{false, true, false}, meta{false, false, true};
  const struct {
    const char* name;
    HeldKeys held;
    std::string code;
  } rows[] = {
      // What a key typed, Shift included: F is the full-screen key in capitals.
      {"f", none, "c102"},
      {"F", none, "c70"},
      {"(", none, "c40"},
      {" ", none, "c32"},
      {"~", none, "c126"},
      {"Escape", none, "c27"},
      {"Enter", none, "c13"},
      {"Delete", none, "c127"},
      {"F1", none, "s" + std::to_string(kKeyF1)},
      {"F12", none, "s" + std::to_string(kKeyF12)},
      {"Home", none, "s" + std::to_string(kKeyHome)},
      {"End", none, "s" + std::to_string(kKeyEnd)},
      {"ArrowLeft", none, "s" + std::to_string(kKeyLeft)},
      {"PageDown", none, "s" + std::to_string(kKeyPageDown)},
      // Keys the program has no use for.
      {"F13", none, "none"},
      {"F0", none, "none"},
      {"F1a", none, "none"},
      {"Shift", none, "none"},
      {"\xc3\xa9", none, "none"},
      {"", none, "none"},
      // With Ctrl, Alt or Meta held the key is the browser's shortcut, never Wendrix's.
      {"r", ctrl, "none"},
      {"F", alt, "none"},
      {"ArrowLeft", alt, "none"},
      {"Home", meta, "none"},
      {"Escape", ctrl, "none"},
  };
  for (const auto& row : rows) EXPECT_EQ(Received(row.name, row.held), row.code) << row.name;
}

}  // namespace
