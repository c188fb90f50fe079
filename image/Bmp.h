// The BMP loader behind font.bmp.
#pragma once

#include "image/Image.h"

// Uncompressed 8, 24 or 32-bit BMP; the picture's top row becomes row 0.
bool LoadBmp(const char* fileName, Image* image);
