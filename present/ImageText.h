// Text blended into a PixelImage from the glyph atlas exactly as GL samples
// and blends it (text/TextOverlay.cpp): the mipmap level GL picks for the
// cells' size, filtered bilinearly, white modulated by the atlas' alpha.
#pragma once

#include <cstdint>

#include "windowsystem/PixelImage.h"

class Image;

// Keeps the mipmap levels gluBuild2DMipmaps makes of a 32-bit RGBA atlas with
// sides a power of two; false (text shows as white blocks, as GL shows it
// without its texture) for any other image.
bool SetImageFont(const Image& atlas);
// TextOverlay::DrawText's quads, blended into image: the first cell's left edge
// x pixels from the left, the cells' bottom edge y pixels below the top.
void BlendText(const PixelImage& image, const char* text, int16_t x, int16_t y, float height);
