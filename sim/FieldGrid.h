// The grid's buffers: point positions and colours, sized when the grid
// changes and reused every frame, so a steady frame allocates nothing.
#pragma once

#include <GL/gl.h>

#include "sim/FieldEvaluation.h"

// Output rows for every grid point of the frame: bytes for a pixel rectangle,
// float colours for points.
FieldRows GridOutput(const FieldFrame& frame, bool bytes);
// x, y of every grid point, as glVertex2i would give them, row by row.
const GLfloat* GridVertices(uint32_t columns, uint32_t rows, uint32_t step);
