// wendrix-render: the program's own start-up and frames on an offscreen
// context, at a clock the renderer sets, written out as PNG files.
#pragma once

#include "render/RenderOptions.h"

// Draws the frames and writes them: 0 when done, 1 after an error it has
// reported on stderr. Escape's fade-out ends the run with 0, as it ends the
// program in the window; the frames drawn before its end are written.
int RunRenderer(const RenderOptions& options);
// The whole executable: parse, then run; usage errors give exit status 2.
int RenderMain(int argc, char** argv);
