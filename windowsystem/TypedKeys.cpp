// The key names are the few keys a text cannot hold as themselves.
#include "windowsystem/TypedKeys.h"

#include "cmdline/Arguments.h"
#include "windowsystem/Keys.h"

namespace {
struct NamedKey {
  std::string_view name;
  KeyPress key;
};
constexpr NamedKey kNamedKeys[] = {
    {"esc", {false, 27}},       {"space", {false, ' '}},      {"lt", {false, '<'}},
    {"left", {true, kKeyLeft}}, {"right", {true, kKeyRight}}, {"up", {true, kKeyUp}},
    {"down", {true, kKeyDown}},
};
}  // namespace

bool ParseKeys(std::string_view text, std::vector<KeyPress>* keys, std::string* error) {
  std::vector<KeyPress> parsed;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '<') {
      parsed.push_back({false, static_cast<unsigned char>(text[i])});
      continue;
    }
    const size_t close = text.find('>', i + 1);
    if (close == std::string_view::npos) {
      return Fail(error, "unterminated key name at \"" + Shown(text.substr(i)) +
                             R"x(" (write <lt> for "<"))x");
    }
    const std::string_view name = text.substr(i + 1, close - i - 1);
    bool known = false;
    for (const NamedKey& named : kNamedKeys) {
      if (named.name == name) {
        parsed.push_back(named.key);
        known = true;
        break;
      }
    }
    if (!known) {
      return Fail(error, "unknown key <" + Shown(name) +
                             "> (known: <esc> <space> <left> <right> <up> <down> <lt>)");
    }
    i = close;
  }
  *keys = std::move(parsed);
  return true;
}

void Type(const std::vector<KeyPress>& keys, KeyCallback key, SpecialCallback special) {
  for (const KeyPress& press : keys) {
    if (press.special && special != nullptr) special(press.code, 0, 0);
    if (!press.special && key != nullptr) key(static_cast<unsigned char>(press.code), 0, 0);
  }
}
