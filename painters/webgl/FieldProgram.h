// The program that works each grid point's colour out on the GPU, as the
// reference does, from the picture's field frame (and its spot light).
#pragma once

#include <GLES2/gl2.h>

#include "picture/Picture.h"

// For `scheme` (past the last: black), 1 to 8 `ripples`, lit or not; 0 where it
// does not link here. Its vertices carry grid points (Programs.h), and uStep,
// uWindow and the rest are set by SetFieldUniforms but uWindow.
GLuint LinkFieldProgram(int scheme, int ripples, bool lit);
// The frame's values for the program linked for its scheme, ripples and light.
void SetFieldUniforms(GLuint program, const Picture& picture);
