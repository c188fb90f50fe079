// The registry's values, read and written as texts that the picture options
// every screen saver shares (saver/Scene.h) take or refuse.
#include "winsaver/SaverSettings.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "cmdline/Arguments.h"

namespace {
constexpr char kKey[] = "Software\\Wendrix";

// The registry's values, by the picture options they hold (saver/Scene.h).
const struct {
  const char* name;
  const char* option;
  bool flag;  // 1 turns it on, 0 leaves it off
} kValues[] = {
    {"Scheme", "scheme", false},           {"Ripples", "ripples", false},
    {"Tesselation", "tesselation", false}, {"Speed", "speed", false},
    {"Frequency", "frequency", false},     {"Letterbox", "letterbox", false},
    {"SpotLight", "spotlight", true},      {"FrameRate", "fps", true},
    {"Present", "present", false},         {"Seed", "seed", false},
};

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

// Plain decimal, as the factors are read back: no exponent, no trailing zeros.
std::string FactorText(float value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.9f", static_cast<double>(value));
  std::string plain = text;
  plain.erase(plain.find_last_not_of('0') + 1);
  if (plain.back() == '.') plain.pop_back();
  return plain;
}

bool TakeSetting(const std::string& name, const std::string& text, SceneOptions* options,
                 std::string* error) {
  for (const auto& value : kValues) {
    if (name != value.name) continue;
    SceneOptions taken = *options;
    if (value.flag && text != "0" && text != "1") {
      std::string why = name;
      why.append(" wants 0 or 1, not \"").append(text).append("\"");
      return Fail(error, why);
    }
    const bool good = value.flag
                          ? text == "0" || TakeSceneOption(value.option, nullptr, &taken, error)
                          : TakeSceneOption(value.option, text.c_str(), &taken, error);
    if (good) *options = taken;
    return good;
  }
  return Fail(error, "no setting is called " + name);
}

SceneOptions ReadSaverSettings() {
  SceneOptions options;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return options;
  for (const auto& value : kValues) {
    TakeSetting(value.name, ReadValue(key, value.name), &options, nullptr);
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
  if (options.randomScheme) written &= WriteText(key, "Scheme", "random");
  if (options.scheme) written &= WriteText(key, "Scheme", std::to_string(*options.scheme));
  if (options.ripples) written &= WriteNumber(key, "Ripples", *options.ripples);
  if (options.tesselation) written &= WriteNumber(key, "Tesselation", *options.tesselation);
  if (options.speed) written &= WriteText(key, "Speed", FactorText(*options.speed));
  if (options.frequency) written &= WriteText(key, "Frequency", FactorText(*options.frequency));
  if (options.letterbox) written &= WriteNumber(key, "Letterbox", *options.letterbox);
  written &= WriteNumber(key, "SpotLight", options.spotlight ? 1 : 0);
  written &= WriteNumber(key, "FrameRate", options.fps ? 1 : 0);
  written &= WriteText(key, "Present", PresentName(options.present));
  RegCloseKey(key);
  return written;
}
