// Holders of GL texture objects, and the procedural ramp texture.
#pragma once

#include <cstdint>

#include "image/Image.h"

struct Texture {
  Texture() = default;
  ~Texture() { release(); }

  // Deletes the texture and empties the holder; harmless when empty.
  void release();
  // Binds id - 1 to GL_TEXTURE_2D, without testing id.
  void bind() const;
  // False keeps whatever texture the holder had.
  bool loadFromFile(const char* fileName, ImageLoader loader);
  // Mipmapped texture from image, merged with an 8-bit alpha image when given.
  bool createFromImage(const Image& image, const Image* alphaImage);

  uint32_t id = 0;  // GL texture name plus one; 0 holds nothing
};

// A 128x128 grey ramp; returns its bare GL name and leaves it bound.
uint32_t CreateRampTexture(int mipmaps);
