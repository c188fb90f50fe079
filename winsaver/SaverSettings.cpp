// The registry's values, read and written as texts that the picture options
// every screen saver shares (saver/Scene.h) take or refuse, under the names
// the options' table gives them.
#include "winsaver/SaverSettings.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>

namespace {
constexpr char kKey[] = "Software\\Wendrix";

// A value as text: a string as it is, a DWORD in decimal; empty when missing or of another type.
std::string ReadValue(HKEY key, const char* name) {
  DWORD type = 0;
  char text[64] = {};
  DWORD size = sizeof text - 1;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
      ERROR_SUCCESS) {
    return "";
  }
  if (type == REG_DWORD && size == sizeof(DWORD)) {
    DWORD number = 0;
    std::memcpy(&number, text, sizeof number);
    return std::to_string(number);
  }
  return type == REG_SZ ? std::string(text) : "";
}

bool WriteText(HKEY key, const char* name, const std::string& text) {
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool WriteNumber(HKEY key, const char* name, DWORD number) {
  return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                        sizeof number) == ERROR_SUCCESS;
}

}  // namespace

SceneOptions ReadSaverSettings() {
  SceneOptions options;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return options;
  // A flag's value is 0 or 1 (a DWORD, or its digits as a string).
  for (const SceneOption& option : SceneOptionTable()) {
    TakeSceneSetting(option.name, ReadValue(key, option.registryName), &options, nullptr);
  }
  RegCloseKey(key);
  return options;
}

bool WriteSaverSettings(const SceneOptions& options) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  bool written = true;
  for (const SceneOption& option : SceneOptionTable()) {
    const std::optional<std::string> text = option.text(options);
    if (!text) continue;
    written &= option.whole ? WriteNumber(key, option.registryName, std::stoul(*text))
                            : WriteText(key, option.registryName, *text);
  }
  RegCloseKey(key);
  return written;
}
