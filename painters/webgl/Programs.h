// The painter's GLSL programs: each links the vertex program they all share,
// which hands the fragment program a varying vExtra (a glyph's texture coordinates,
// or the grid point under the pixel), to fragment sources given in turn.
#pragma once

#include <GLES2/gl2.h>

#include <initializer_list>

// GridPoint(): the grid point whose square covers the fragment, from vExtra; put
// before a fragment program that calls it. Sets highp, which those after share.
extern const char* const kGridPoint;
// Each pixel's colour from a texture of one texel a grid point (uRows, uGrid its size).
extern const char* const kRowsFragment;
// White modulated by the atlas (uAtlas), or white without one (uTextured false).
extern const char* const kGlyphFragment;

// The program, or 0 where it does not link here.
GLuint Link(std::initializer_list<const char*> fragment);
GLint Uniform(GLuint program, const char* name);
// Fragment programs whose floats are single precision; WebGL may give them 16 bits.
bool FragmentsHaveHighFloats();
