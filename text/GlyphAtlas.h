// The glyph atlas's layout: what the text drawing reads from data/font.bmp, and
// what the tools that make and check that file write and hold it to.
#pragma once

// 16 by 8 equal cells for the codes 32 to 159, in code order: code k lies in
// column (k - 32) mod 16 and row (k - 32) div 16, row 0 along the high-t edge.
inline constexpr int kAtlasColumns = 16;
inline constexpr int kAtlasRows = 8;
inline constexpr int kFirstAtlasCode = 32;
// A cell's sampled band lies this much of the atlas's height below its nominal one.
inline constexpr double kBandOffset = 0.01;
// A character's cell is half as wide as it is tall; the pen moves on by a little
// less, so that each cell overlaps its neighbour.
inline constexpr float kCellWidthFactor = 0.5f;
inline constexpr float kAdvanceFactor = 0.45f;
