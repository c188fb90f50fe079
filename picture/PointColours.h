// Every grid point's colour as GL stores it, for the painters that place the
// points themselves: the field's colours, lit point by point as GL 1.1 lights a
// vertex while the picture has its spot light.
#pragma once

#include <cstdint>

#include "picture/Picture.h"

// R, G, B, A bytes a point, row by row from the bottom; the buffer is reused by
// the next call. The field is worked out over `threads` threads (0: every one).
const uint32_t* PointColours(const Picture& picture, int threads);
