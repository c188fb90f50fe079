// Texture holders over GL texture objects, and the procedural ramp texture.
#include "image/Texture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <type_traits>
#include <vector>

// glGenTextures writes straight into Texture::id.
static_assert(std::is_same_v<GLuint, uint32_t>);

namespace {

// Builds every mipmap level from the Image's packed rows. GL would read past a row
// whose length is not a multiple of the unpack alignment, so such rows go up under
// alignment 1, and the caller's alignment comes back afterwards.
void UploadMipmaps(const Image& image, GLint components, GLenum format) {
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  const bool unaligned = alignment > 1 && image.rowStride() % static_cast<uint32_t>(alignment) != 0;
  if (unaligned) glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gluBuild2DMipmaps(GL_TEXTURE_2D, components, static_cast<GLsizei>(image.width()),
                    static_cast<GLsizei>(image.height()), format, GL_UNSIGNED_BYTE, image.pixels());
  if (unaligned) glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

// Interleaves each colour pixel with the alpha image's byte into merged, in row order.
void MergeAlpha(const Image& colour, const Image& alpha, Image& merged) {
  const uint32_t colourBytes = colour.bitsPerPixel() / 8;
  const uint64_t pixelCount = uint64_t{colour.width()} * colour.height();
  const uint8_t* source = colour.pixels();
  const uint8_t* alphaSource = alpha.pixels();
  uint8_t* target = merged.pixels();
  for (uint64_t i = 0; i < pixelCount; ++i) {
    for (uint32_t b = 0; b < colourBytes; ++b) *target++ = *source++;
    *target++ = *alphaSource++;
  }
}

}  // namespace

void Texture::release() {
  if (id == 0) return;
  const GLuint name = id - 1;
  glDeleteTextures(1, &name);
  id = 0;
}

void Texture::bind() const { glBindTexture(GL_TEXTURE_2D, id - 1); }

bool Texture::loadFromFile(const char* fileName, ImageLoader loader) {
  Image image;
  if (!image.load(fileName, loader)) return false;
  return createFromImage(image, nullptr);
}

bool Texture::createFromImage(const Image& image, const Image* alphaImage) {
  release();
  glGenTextures(1, &id);
  ++id;
  bind();
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);

  const uint32_t depth = image.bitsPerPixel();
  if (depth == 32) {
    UploadMipmaps(image, 4, GL_RGBA);
    return true;
  }
  if (depth != 8 && depth != 24) return true;  // the object stays bound, without an image
  if (alphaImage == nullptr) {
    if (depth == 8) {
      UploadMipmaps(image, 1, GL_LUMINANCE);
    } else {
      UploadMipmaps(image, 3, GL_RGB);
    }
    return true;
  }

  const bool matching = alphaImage->bitsPerPixel() == 8 && alphaImage->width() == image.width() &&
                        alphaImage->height() == image.height();
  Image merged;
  if (!matching || !merged.create(image.width(), image.height(), depth + 8)) {
    release();
    return false;
  }
  MergeAlpha(image, *alphaImage, merged);
  if (depth == 8) {
    UploadMipmaps(merged, 2, GL_LUMINANCE_ALPHA);
  } else {
    UploadMipmaps(merged, 4, GL_RGBA);
  }
  merged.clear();
  return true;
}

uint32_t CreateRampTexture(int mipmaps) {
  constexpr int kSize = 128;  // texels along each side, 4 bytes each
  std::vector<uint8_t> texels(size_t{kSize} * kSize * 4);
  for (int r = 0; r < kSize; ++r) {
    for (int c = 0; c < kSize; ++c) {
      uint8_t* texel = &texels[static_cast<size_t>(r * kSize + c) * 4];
      texel[0] = texel[1] = texel[2] = static_cast<uint8_t>(r + c);
      texel[3] = 255;
    }
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);  // left at 1 for the rest of the run
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                  mipmaps ? GL_NEAREST_MIPMAP_NEAREST : GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kSize, kSize, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               texels.data());
  if (mipmaps) {
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  }
  return name;
}
