// The grid's colour buffers, sized when the grid changes and reused every frame,
// so a steady frame allocates nothing.
#pragma once

#include "sim/FieldEvaluation.h"

// Output rows for every grid point of the frame: bytes for a pixel rectangle or an
// image, float colours for points.
FieldRows GridOutput(const FieldFrame& frame, bool bytes);
