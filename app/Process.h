// The one exit path.
#pragma once

// Releases the font and ends the process with exit code 0.
[[noreturn]] void ExitApp();
