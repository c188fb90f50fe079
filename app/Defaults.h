// The defaults every setting starts from and the reset key restores.
#pragma once

// Restores the defaults and re-seeds the generator with elapsedMs. Leaves the
// letterbox, both selectors, the help page, full screen and the mouse as they are.
void ResetSettings();
