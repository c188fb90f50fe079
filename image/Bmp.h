// The BMP loader behind font.bmp.
#pragma once

#include <string>

#include "image/Image.h"

// Uncompressed 8, 24 or 32-bit BMP; the picture's top row becomes row 0.
bool LoadBmp(const char* fileName, Image* image);
// The same load, saying in *why what made it refuse the file: the system's
// reason when it cannot be opened, "it is a FIFO, not a file", "it is empty",
// the header field that is wrong, or "its pixels are cut short".
bool LoadBmp(const char* fileName, Image* image, std::string* why);
