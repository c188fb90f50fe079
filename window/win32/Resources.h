// Resource numbers that the Windows programs' resource scripts (.rc) and the
// window seam share; plain macros, as the resource compiler reads them too.
#pragma once

#define WENDRIX_ICON 1  // the program's icon, 16 to 256 pixels, in every Windows executable
