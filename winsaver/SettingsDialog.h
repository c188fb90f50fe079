// wendrix.scr /c: the settings dialog, over the saver's registry values.
#pragma once

#include <windows.h>

// Shows the dialog, owned by `owner` (none when null), until OK or Cancel; OK
// writes every value. Returns 0, the exit status.
int RunSettingsDialog(HWND owner);
