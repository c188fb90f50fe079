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

const Image& Fill(Image& image, uint32_t width, uint32_t bits, const Bytes& bytes) {
  EXPECT_TRUE(image.create(width, 2, bits));
  std::memcpy(image.pixels(), bytes.data(),
              std::min<size_t>(bytes.size(), size_t{image.rowStride()} * 2));
  return image;
}

// Level `level` of the bound texture, rows packed, and last the name of that texture.
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
  const Bytes grey = {10, 11, 12, 13},
              rgb = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  const struct {
    uint32_t bits, alphaWidth, alphaBits;  // alphaWidth 0: no alpha image
    GLenum format;
    int components;
    Bytes texels;  // empty: the upload fails and empties the holder
  } cases[] = {
      {8, 0, 0, GL_LUMINANCE, 1, grey},
      {24, 0, 0, GL_RGB, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
      {32, 2, 8, GL_RGBA, 4, rgb},  // its own alpha over the alpha image
      {8, 2, 8, GL_LUMINANCE_ALPHA, 2, {10, 200, 11, 201, 12, 202, 13, 203}},
      {24, 2, 8, GL_RGBA, 4, {1, 2, 3, 200, 4, 5, 6, 201, 7, 8, 9, 202, 10, 11, 12, 203}},
      {8, 2, 24, GL_RGB, 3, {}},
      {24, 1, 8, GL_RGB, 3, {}},
  };
  TestWindow();
  for (const auto& c : cases) {
    Image colour, alpha;
    Fill(colour, 2, c.bits, c.bits == 8 ? grey : rgb);
    Fill(alpha, c.alphaWidth + (c.alphaWidth == 0), c.alphaBits + 8 * (c.alphaBits == 0),
         {200, 201, 202, 203});
    Texture texture;
    ASSERT_TRUE(texture.createFromImage(colour, nullptr));
    const GLuint earlier = texture.id - 1;
    const bool made = texture.createFromImage(colour, c.alphaWidth != 0 ? &alpha : nullptr);
    EXPECT_EQ(made, !c.texels.empty()) << c.bits;
    if (!made) {
      EXPECT_EQ(texture.id, 0u);
      EXPECT_FALSE(glIsTexture(earlier)) << c.bits;
      continue;
    }
    Bytes texels = c.texels;
    texels.push_back(static_cast<uint8_t>(texture.id - 1));
    EXPECT_EQ(Texels(c.format, c.components), texels) << c.bits;
    EXPECT_EQ(Texels(c.format, c.components, 1).size(), static_cast<size_t>(c.components) + 1);
  }
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
}

TEST(Texture, OddRowsUploadWholeAndTheRampIsGreyRowPlusColumn) {
  TestWindow();
  Image colour;
  Fill(colour, 3, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18});
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  Texture reference, texture;  // rows of 9 bytes, which GL would read 12 apart under 4
  ASSERT_TRUE(reference.createFromImage(colour, nullptr));
  Bytes expected = Texels(GL_RGB, 3);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  ASSERT_TRUE(texture.createFromImage(colour, nullptr));
  expected.back() = static_cast<uint8_t>(texture.id - 1);
  EXPECT_EQ(Texels(GL_RGB, 3), expected);
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4);
  const GLuint ramp = CreateRampTexture(1);
  Bytes want;
  for (int r = 0; r < 128; ++r) {
    for (int c = 0; c < 128; ++c)
      want.insert(want.end(), {uint8_t(r + c), uint8_t(r + c), uint8_t(r + c), 255});
  }
  want.push_back(static_cast<uint8_t>(ramp));
  EXPECT_EQ(Texels(GL_RGBA, 4), want);
  EXPECT_EQ(Texels(GL_RGBA, 4, 1).size(), 64u * 64 * 4 + 1);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 1);  // left so for the rest of the run
}

}  // namespace
