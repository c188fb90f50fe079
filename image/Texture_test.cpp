// Texture holders and the ramp texture on a real offscreen GL context, read back texel by texel.
#include "image/Texture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "image/Bmp.h"
#include "tests/support/GlTest.h"

namespace {

using Bytes = std::vector<uint8_t>;

class TextureTest : public testing::Test {
 protected:
  void SetUp() override { TestWindow(); }
};

// An Image filled with the given bytes, which must match its size.
void Fill(Image& image, uint32_t width, uint32_t height, uint32_t bitsPerPixel,
          const Bytes& bytes) {
  ASSERT_TRUE(image.create(width, height, bitsPerPixel));
  ASSERT_EQ(bytes.size(), size_t{image.rowStride()} * height);
  std::memcpy(image.pixels(), bytes.data(), bytes.size());
}

GLint LevelWidth(GLint level) {
  GLint width = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
  return width;
}

// Level 0 of the bound texture in the given format, rows packed tightly.
Bytes ReadTexels(GLenum format, int components) {
  GLint height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  Bytes texels(size_t(LevelWidth(0)) * height * components);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, texels.data());
  return texels;
}

GLuint Bound() {
  GLint name = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
  return static_cast<GLuint>(name);
}

// A holder with some texture in it, for the cases that must delete it.
void Hold(Texture& texture) {
  Image image;
  Fill(image, 1, 1, 24, {1, 2, 3});
  ASSERT_TRUE(texture.createFromImage(image, nullptr));
}

TEST_F(TextureTest, ReleaseTwiceDeletesOnce) {
  Texture texture;
  Hold(texture);
  const GLuint name = texture.id - 1;
  texture.release();
  EXPECT_EQ(texture.id, 0u);
  EXPECT_FALSE(glIsTexture(name));
  glBindTexture(GL_TEXTURE_2D, name);  // the name now belongs to someone else
  texture.release();
  EXPECT_TRUE(glIsTexture(name));
}

TEST_F(TextureTest, BindOfAnEmptyHolderBindsAllOnes) {
  Texture texture;
  texture.bind();
  EXPECT_EQ(Bound(), 4294967295u);
}

struct UploadCase {
  const char* name;
  uint32_t bitsPerPixel;
  Bytes colour;        // 2x2, row 0 first
  const Bytes* alpha;  // 2x2 8-bit, or none
  GLenum readFormat;
  int components;
  Bytes texels;
};

const Bytes kGrey = {10, 11, 12, 13};
const Bytes kRgb = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
const Bytes kRgba = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
const Bytes kAlpha = {200, 201, 202, 203};

TEST_F(TextureTest, UploadsImagesAndMergesAlpha) {
  const UploadCase cases[] = {
      {"8-bit", 8, kGrey, nullptr, GL_LUMINANCE, 1, kGrey},
      {"24-bit", 24, kRgb, nullptr, GL_RGB, 3, kRgb},
      {"32-bit, its own alpha over any alpha image", 32, kRgba, &kAlpha, GL_RGBA, 4, kRgba},
      // Grey, alpha, grey, alpha, ... in row order.
      {"8-bit with alpha", 8, kGrey, &kAlpha, GL_LUMINANCE_ALPHA, 2,
       Bytes{10, 200, 11, 201, 12, 202, 13, 203}},
      {"24-bit with alpha", 24, kRgb, &kAlpha, GL_RGBA, 4,
       Bytes{1, 2, 3, 200, 4, 5, 6, 201, 7, 8, 9, 202, 10, 11, 12, 203}},
  };
  for (const UploadCase& c : cases) {
    SCOPED_TRACE(c.name);
    Image colour, alpha;
    Fill(colour, 2, 2, c.bitsPerPixel, c.colour);
    if (c.alpha != nullptr) Fill(alpha, 2, 2, 8, *c.alpha);
    Texture texture;
    ASSERT_TRUE(texture.createFromImage(colour, c.alpha != nullptr ? &alpha : nullptr));
    ASSERT_NE(texture.id, 0u);
    EXPECT_EQ(Bound(), texture.id - 1);
    EXPECT_EQ(ReadTexels(c.readFormat, c.components), c.texels);
    EXPECT_EQ(LevelWidth(1), 1);  // mipmapped
  }
}

struct MismatchCase {
  const char* name;
  uint32_t colourBits, alphaWidth, alphaHeight, alphaBits;
};

TEST_F(TextureTest, MismatchedAlphaFailsAndEmptiesTheHolder) {
  const MismatchCase cases[] = {
      {"8-bit, 24-bit alpha", 8, 2, 2, 24},
      {"8-bit, alpha one narrower", 8, 1, 2, 8},
      {"24-bit, alpha one shorter", 24, 2, 1, 8},
  };
  for (const MismatchCase& c : cases) {
    SCOPED_TRACE(c.name);
    Image colour, alpha;
    ASSERT_TRUE(colour.create(2, 2, c.colourBits));
    ASSERT_TRUE(alpha.create(c.alphaWidth, c.alphaHeight, c.alphaBits));
    Texture texture;
    Hold(texture);
    const GLuint earlier = texture.id - 1;
    EXPECT_FALSE(texture.createFromImage(colour, &alpha));
    EXPECT_EQ(texture.id, 0u);
    EXPECT_FALSE(glIsTexture(earlier));
  }
}

TEST_F(TextureTest, SixteenBitImageGivesATextureWithoutAnImage) {
  Image colour;
  ASSERT_TRUE(colour.create(2, 2, 16));
  Texture texture;
  ASSERT_TRUE(texture.createFromImage(colour, nullptr));
  ASSERT_NE(texture.id, 0u);
  EXPECT_TRUE(glIsTexture(texture.id - 1));
  EXPECT_EQ(Bound(), texture.id - 1);
  EXPECT_EQ(LevelWidth(0), 0);
}

TEST_F(TextureTest, MissingFileKeepsTheOldTexture) {
  Texture texture;
  Hold(texture);
  const uint32_t held = texture.id;
  EXPECT_FALSE(texture.loadFromFile("/nonexistent/wendrix/font.bmp", LoadBmp));
  EXPECT_EQ(texture.id, held);
  texture.bind();
  EXPECT_EQ(ReadTexels(GL_RGB, 3), (Bytes{1, 2, 3}));
}

TEST_F(TextureTest, OddRowsUploadUnderAlignmentFourAndLeaveIt) {
  // 1 and 3 pixels of 3 bytes: rows GL would read 4 bytes apart under alignment 4.
  for (uint32_t width : {1u, 3u}) {
    SCOPED_TRACE(width);
    const uint32_t height = 4;
    Bytes bytes(size_t{width} * 3 * height);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 1);
    Image colour;
    Fill(colour, width, height, 24, bytes);

    // Reference: the same rows with no padding assumed at all.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    Texture reference;
    ASSERT_TRUE(reference.createFromImage(colour, nullptr));
    const Bytes expected = ReadTexels(GL_RGB, 3);
    if (width == 1) {
      EXPECT_EQ(expected, bytes);  // a power of two goes up unscaled
    }

    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    Texture texture;
    ASSERT_TRUE(texture.createFromImage(colour, nullptr));
    EXPECT_EQ(ReadTexels(GL_RGB, 3), expected);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4);
  }
}

TEST_F(TextureTest, RampIsGreyRowPlusColumn) {
  for (int mipmaps : {0, 1}) {
    SCOPED_TRACE(mipmaps);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    const GLuint name = CreateRampTexture(mipmaps);
    EXPECT_EQ(Bound(), name);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 1);
    ASSERT_EQ(LevelWidth(0), 128);
    EXPECT_EQ(LevelWidth(1), mipmaps ? 64 : 0);
    const Bytes texels = ReadTexels(GL_RGBA, 4);
    auto texel = [&](int row, int column) {
      const uint8_t* t = &texels[static_cast<size_t>(row * 128 + column) * 4];
      return Bytes(t, t + 4);
    };
    EXPECT_EQ(texel(0, 0), (Bytes{0, 0, 0, 255}));
    EXPECT_EQ(texel(10, 20), (Bytes{30, 30, 30, 255}));
    EXPECT_EQ(texel(127, 127), (Bytes{254, 254, 254, 255}));
    int wrong = 0;
    for (int r = 0; r < 128; ++r) {
      for (int c = 0; c < 128; ++c) {
        if (texel(r, c) != Bytes{uint8_t(r + c), uint8_t(r + c), uint8_t(r + c), 255}) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0);
    glDeleteTextures(1, &name);
  }
}

}  // namespace
