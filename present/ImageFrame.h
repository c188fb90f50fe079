// The picture made on the processor: the field's rows scaled to the window,
// the letterbox bars black, the text blended over, as RenderFrame draws them
// with GL on the pixel rectangle path.
#pragma once

#include "windowsystem/PixelImage.h"

// StartUp's order for the image path, with no GL call: the generator seeded,
// the picture's size, the clock started, the settings, the oscillator bank
// and the glyph atlas. StartScene comes after, as with GL.
void StartImagePicture(int width, int height);
// One frame into image, which is the window's size (screenWidth x screenHeight):
// the clock read and the frame's values stepped as DisplayHandler and
// RenderFrame do, then the picture. Without
// the spot light, which only GL lights.
void DrawImageFrame(const PixelImage& image);
