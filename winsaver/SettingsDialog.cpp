// The dialog shows what /s would draw with: the registry's values, and for the
// missing ones the program's own defaults (DefaultSettings), so it needs no copy of them.
#include "winsaver/SettingsDialog.h"

#include <string>

#include "app/Defaults.h"
#include "winsaver/DialogIds.h"
#include "winsaver/SaverSettings.h"

namespace {
std::string Range(int from, int to) {
  return " (" + std::to_string(from) + " to " + std::to_string(to) + "):";
}

// The Present setting's values in the order of Present (painters/Present.h).
const char* const kPresentNames[] = {
    "OpenGL, unless the processor draws it",
    "OpenGL, always",
    "An image, without OpenGL",
};

// The edit fields, the picture options they hold and their labels, whose ranges are the keys'.
const struct {
  int control, label;
  const char* name;
  std::string text;
} kFields[] = {
    {WENDRIX_RIPPLES, WENDRIX_RIPPLES_LABEL, "ripples",
     "&Ripples" + Range(kMinRipples, kMaxRipples)},
    {WENDRIX_TESSELATION, WENDRIX_TESSELATION_LABEL, "tesselation",
     "&Grid step" + Range(kMinTesselation, kMaxTesselation)},
    {WENDRIX_SPEED, WENDRIX_SPEED_LABEL, "speed", "S&peed (above 0):"},
    {WENDRIX_FREQUENCY, WENDRIX_FREQUENCY_LABEL, "frequency", "&Frequency (above 0):"},
    {WENDRIX_LETTERBOX, WENDRIX_LETTERBOX_LABEL, "letterbox",
     "&Letterbox" + Range(0, kMaxLetterbox)},
};

void Fill(HWND dialog, const SceneOptions& options) {
  const SimSettings defaults = DefaultSettings();
  HWND schemes = GetDlgItem(dialog, WENDRIX_SCHEME);
  SendMessageA(schemes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Any of them, by chance"));
  for (int scheme = 0; scheme < kSchemes; ++scheme) {
    const std::string name = std::to_string(scheme) + ": " + kSchemeNames[scheme];
    SendMessageA(schemes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  const int scheme = options.randomScheme ? 0 : options.scheme.value_or(defaults.colorOption) + 1;
  SendMessageA(schemes, CB_SETCURSEL, scheme, 0);
  const std::string texts[] = {
      FactorText(static_cast<float>(options.ripples.value_or(kDefaultRippleCount))),
      FactorText(static_cast<float>(options.tesselation.value_or(defaults.tesselation))),
      FactorText(options.speed.value_or(defaults.mainSpeed)),
      FactorText(options.frequency.value_or(defaults.frequency)),
      FactorText(static_cast<float>(options.letterbox.value_or(defaults.letterbox))),
  };
  for (size_t k = 0; k < std::size(kFields); ++k) {
    SetDlgItemTextA(dialog, kFields[k].label, kFields[k].text.c_str());
    SetDlgItemTextA(dialog, kFields[k].control, texts[k].c_str());
  }
  CheckDlgButton(dialog, WENDRIX_SPOTLIGHT, options.spotlight ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, WENDRIX_FRAMERATE, options.fps ? BST_CHECKED : BST_UNCHECKED);
  HWND present = GetDlgItem(dialog, WENDRIX_PRESENT);
  for (const char* name : kPresentNames) {
    SendMessageA(present, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  SendMessageA(present, CB_SETCURSEL, static_cast<WPARAM>(options.present), 0);
}

// The dialog's values, each held to its range; false after saying which is wrong.
bool Collect(HWND dialog, SceneOptions* options) {
  const LRESULT scheme = SendDlgItemMessageA(dialog, WENDRIX_SCHEME, CB_GETCURSEL, 0, 0);
  TakeSceneOption("scheme", scheme <= 0 ? "random" : std::to_string(scheme - 1).c_str(), options,
                  nullptr);
  for (const auto& field : kFields) {
    char text[64] = {};
    GetDlgItemTextA(dialog, field.control, text, sizeof text);
    std::string why;
    if (!TakeSceneOption(field.name, text, options, &why)) {
      MessageBoxA(dialog, why.c_str(), "Wendrix Settings", MB_ICONWARNING);
      SetFocus(GetDlgItem(dialog, field.control));
      return false;
    }
  }
  options->spotlight = IsDlgButtonChecked(dialog, WENDRIX_SPOTLIGHT) == BST_CHECKED;
  options->fps = IsDlgButtonChecked(dialog, WENDRIX_FRAMERATE) == BST_CHECKED;
  const LRESULT present = SendDlgItemMessageA(dialog, WENDRIX_PRESENT, CB_GETCURSEL, 0, 0);
  const auto choices = static_cast<LRESULT>(std::size(kPresentNames));
  options->present = static_cast<Present>(present >= 0 && present < choices ? present : 0);
  return true;
}

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    Fill(dialog, ReadSaverSettings());
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  if (LOWORD(wParam) == IDOK) {
    SceneOptions options;
    if (Collect(dialog, &options)) {
      if (!WriteSaverSettings(options)) {
        MessageBoxA(dialog, "The settings could not be saved.", "Wendrix Settings", MB_ICONERROR);
      }
      EndDialog(dialog, IDOK);
    }
    return TRUE;
  }
  if (LOWORD(wParam) == IDCANCEL) {
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
  return FALSE;
}
}  // namespace

int RunSettingsDialog(HWND owner) {
  DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(WENDRIX_SETTINGS_DIALOG), owner,
                  Procedure, 0);
  return 0;
}
