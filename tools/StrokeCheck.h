// Whether a glyph atlas keeps the strokes of its hardest glyphs (m w M W # @ & %)
// apart, and every glyph's strokes standing out from what lies around them, at the
// heights the program draws text (18, 20 and 30 pixels), as the program's own
// DrawText shows them over black and over white.
#pragma once

// Prints a line for each glyph line or glyph that fails; returns how many failed.
int CheckStrokes(const char* path);
