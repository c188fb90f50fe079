// wendrix.scr /c: the settings dialog, over the saver's registry values.
#pragma once

#include <cstdint>

// Shows the dialog, owned by `owner` (an HWND; 0 for none), until OK or
// Cancel; OK writes every value. Returns 0, the exit status.
int RunSettingsDialog(uintptr_t owner);
