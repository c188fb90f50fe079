// Texture holders and the ramp texture on a real GL context, read back texel by texel.
#include "image/Texture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "image/Bmp.h"
#include "tests/support/GlTest.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A two-row image of the given width and depth, filled from bytes.
const Image& Fill(Image& image, uint32_t width, uint32_t bits, const Bytes& bytes) {
  EXPECT_TRUE(image.create(width, 2, bits));
  if (!bytes.empty()) {
    std::memcpy(image.pixels(), bytes.data(),
                std::min(bytes.size(), size_t{image.rowStride()} * 2));
  }
  return image;
}

// Level `level` of the bound texture, rows packed, then the name of that texture.
Bytes Texels(GLenum format, int components, int level = 0) {
  GLint width = 0, height = 0, bound = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
  Bytes texels(static_cast<size_t>(width) * height * components);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, texels.data());
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  texels.push_back(static_cast<uint8_t>(bound));
  return texels;
}

TEST(Texture, UploadsMipmappedImagesMergedWithAlphaOrFailsEmpty) {
  const Bytes bytes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  const struct {
    uint32_t width, bits, alphaWidth, alphaBits;  // alphaWidth 0: no alpha image
    GLenum format;
    Bytes texels;  // empty: the upload fails and empties the holder
  } cases[] = {
      {2, 8, 0, 8, GL_LUMINANCE, {1, 2, 3, 4}},
      {2, 24, 0, 8, GL_RGB, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
      {2, 32, 2, 8, GL_RGBA, bytes},  // its own alpha over the alpha image
      {2, 8, 2, 8, GL_LUMINANCE_ALPHA, {1, 200, 2, 201, 3, 202, 4, 203}},
      {2, 24, 2, 8, GL_RGBA, {1, 2, 3, 200, 4, 5, 6, 201, 7, 8, 9, 202, 10, 11, 12, 203}},
      {1, 24, 0, 8, GL_RGB, {1, 2, 3, 4, 5, 6}},  // rows of 3 bytes, read 4 apart if misaligned
      {2, 8, 2, 24, GL_RGB, {}},
      {2, 24, 1, 8, GL_RGB, {}},
  };
  TestWindow();
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  for (const auto& c : cases) {
    Image colour, alpha;
    Fill(colour, c.width, c.bits, bytes);
    Fill(alpha, c.alphaWidth + (c.alphaWidth == 0), c.alphaBits, {200, 201, 202, 203});
    Texture texture;
    ASSERT_TRUE(texture.createFromImage(colour, nullptr));
    const GLuint earlier = texture.id - 1;
    const bool made = texture.createFromImage(colour, c.alphaWidth != 0 ? &alpha : nullptr);
    EXPECT_EQ(made, !c.texels.empty()) << c.bits;
    EXPECT_EQ(texture.id == 0, !made) << c.bits;
    if (!made) {
      EXPECT_FALSE(glIsTexture(earlier)) << c.bits;  // the holder's old texture went too
      continue;
    }
    Bytes texels = c.texels;
    texels.push_back(static_cast<uint8_t>(texture.id - 1));
    const int components = static_cast<int>(c.texels.size() / (size_t{c.width} * 2));
    EXPECT_EQ(Texels(c.format, components), texels) << c.bits;
    EXPECT_EQ(Texels(c.format, components, 1).size(), components + 1u);  // mipmapped
  }
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4);
}

TEST(Texture, ReleaseTwiceDeletesOnceAndAMissingFileKeepsTheTexture) {
  TestWindow();
  Texture texture;
  texture.bind();
  EXPECT_EQ(Texels(GL_RGB, 3), Bytes{255});  // an empty holder binds name 2^32 - 1
  Image image;
  ASSERT_TRUE(texture.createFromImage(Fill(image, 1, 16, {}), nullptr));
  EXPECT_EQ(Texels(GL_RGB, 3), Bytes{static_cast<uint8_t>(texture.id - 1)});  // no image
  ASSERT_TRUE(texture.createFromImage(Fill(image, 1, 24, {1, 2, 3, 4, 5, 6}), nullptr));
  EXPECT_FALSE(texture.loadFromFile("/nonexistent/wendrix/font.bmp", LoadBmp));
  texture.bind();
  EXPECT_EQ(Texels(GL_RGB, 3), (Bytes{1, 2, 3, 4, 5, 6, static_cast<uint8_t>(texture.id - 1)}));
  const GLuint name = texture.id - 1;
  texture.release();
  EXPECT_FALSE(glIsTexture(name));
  glBindTexture(GL_TEXTURE_2D, name);  // the name now belongs to someone else
  texture.release();
  EXPECT_TRUE(glIsTexture(name));
  // The ramp: grey row plus column, left bound, unpacking left byte-aligned.
  const GLuint ramp = CreateRampTexture(0);
  const Bytes texels = Texels(GL_RGBA, 4);
  const auto texel = texels.begin() + (ptrdiff_t{5} * 128 + 7) * 4;  // row 5, column 7
  EXPECT_EQ(Bytes(texel, texel + 4), (Bytes{12, 12, 12, 255}));
  EXPECT_EQ(texels.size(), 128u * 128 * 4 + 1);
  EXPECT_EQ(texels.back(), ramp & 255);  // and the ramp stays bound
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 1);
}

}  // namespace
