// Texts checked against the ranges every screen saver shares, and the
// registry key they are kept in.
#include "winsaver/SaverSettings.h"

#include <windows.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr char kKey[] = "Software\\Wendrix";

bool Whole(const std::string& text, int low, int high, std::optional<int>* value) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
  errno = 0;
  const long parsed = std::strtol(text.c_str(), nullptr, 10);
  if (errno != 0 || parsed < low || parsed > high) return false;
  *value = static_cast<int>(parsed);
  return true;
}

bool Factor(const std::string& text, std::optional<float>* value) {
  char* end = nullptr;
  const double parsed = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !std::isfinite(parsed) || parsed <= 0.0 ||
      parsed > kMaxFactor) {
    return false;
  }
  *value = static_cast<float>(parsed);
  return true;
}

bool Flag(const std::string& text, bool* value) {
  if (text != "0" && text != "1") return false;
  *value = text == "1";
  return true;
}

bool Scheme(const std::string& text, SceneOptions* o) {
  if (text == "random") {
    o->scheme.reset();
    o->randomScheme = true;
    return true;
  }
  if (!Whole(text, 0, kSchemes - 1, &o->scheme)) return false;
  o->randomScheme = false;
  return true;
}

bool Ripples(const std::string& text, SceneOptions* o) {
  return Whole(text, kMinRipples, kMaxRipples, &o->ripples);
}

bool Tesselation(const std::string& text, SceneOptions* o) {
  return Whole(text, kMinTesselation, kMaxTesselation, &o->tesselation);
}

bool Speed(const std::string& text, SceneOptions* o) { return Factor(text, &o->speed); }
bool Frequency(const std::string& text, SceneOptions* o) { return Factor(text, &o->frequency); }
bool Letterbox(const std::string& text, SceneOptions* o) {
  return Whole(text, 0, kMaxLetterbox, &o->letterbox);
}
bool SpotLight(const std::string& text, SceneOptions* o) { return Flag(text, &o->spotlight); }
bool FrameRate(const std::string& text, SceneOptions* o) { return Flag(text, &o->fps); }

const struct {
  const char* name;
  const char* wants;
  bool (*take)(const std::string& text, SceneOptions* options);
} kSettings[] = {
    {"Scheme", "random, or a colour scheme from 0 to 7", Scheme},
    {"Ripples", "a whole number from 1 to 8", Ripples},
    {"Tesselation", "a whole number from 1 to 20", Tesselation},
    {"Speed", "a number above 0, at most 100", Speed},
    {"Frequency", "a number above 0, at most 100", Frequency},
    {"Letterbox", "a whole number from 0 to 6", Letterbox},
    {"SpotLight", "0 or 1", SpotLight},
    {"FrameRate", "0 or 1", FrameRate},
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

std::string FactorText(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}
}  // namespace

bool TakeSetting(const std::string& name, const std::string& text, SceneOptions* options) {
  for (const auto& setting : kSettings) {
    if (name != setting.name) continue;
    SceneOptions taken = *options;
    if (!setting.take(text, &taken)) return false;
    *options = taken;
    return true;
  }
  return false;
}

const char* SettingWants(const std::string& name) {
  for (const auto& setting : kSettings) {
    if (name == setting.name) return setting.wants;
  }
  return "";
}

SceneOptions ReadSaverSettings() {
  SceneOptions options;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return options;
  for (const auto& setting : kSettings)
    TakeSetting(setting.name, ReadValue(key, setting.name), &options);
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
  RegCloseKey(key);
  return written;
}
