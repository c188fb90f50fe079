// The browser names a key by what it typed, Shift included ("(" arrives as
// "(", never as "9"), or by the key's own name.
#include "window/web/PageKeys.h"

#include <string_view>

#include "windowsystem/Keys.h"

namespace {

struct NamedKey {
  std::string_view name;
  int code;
  bool special;
};
constexpr NamedKey kNamedKeys[] = {
    {"Escape", 27, false},
    {"Enter", 13, false},
    {"Backspace", 8, false},
    {"Tab", 9, false},
    {"Delete", 127, false},
    {"ArrowLeft", kKeyLeft, true},
    {"ArrowUp", kKeyUp, true},
    {"ArrowRight", kKeyRight, true},
    {"ArrowDown", kKeyDown, true},
    {"PageUp", kKeyPageUp, true},
    {"PageDown", kKeyPageDown, true},
    {"Home", kKeyHome, true},
    {"End", kKeyEnd, true},
    {"Insert", kKeyInsert, true},
};

}  // namespace

int KeyCode(const char* name, HeldKeys held, bool* special) {
  *special = false;
  if (held.ctrl || held.alt || held.meta) return -1;
  const std::string_view key(name);
  // One printable ASCII character: what the key typed, Shift included.
  if (key.size() == 1 && key[0] >= ' ' && key[0] <= '~') return static_cast<unsigned char>(key[0]);
  if (key.size() >= 2 && key.size() <= 3 && key[0] == 'F') {
    int number = 0;
    for (const char digit : key.substr(1)) {
      if (digit < '0' || digit > '9') return -1;
      number = number * 10 + (digit - '0');
    }
    if (number < 1 || number > kKeyF12) return -1;
    *special = true;
    return kKeyF1 + number - 1;
  }
  for (const NamedKey& named : kNamedKeys) {
    if (named.name == key) {
      *special = named.special;
      return named.code;
    }
  }
  return -1;
}
