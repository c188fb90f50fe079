// Two programs: one covers the window with the field, each pixel looking up its
// grid column and row in two one-row textures made from the coverage, then the
// point's colour; the other draws the text's cells. Nothing of GL 1.1 is kept:
// the painter holds what it draws with, and the view is the window's pixels.
#include "painters/webgl/WebGlPainter.h"

#include <GLES2/gl2.h>

#include <cstdint>
#include <vector>

#include "app/FontPath.h"
#include "image/Image.h"
#include "image/Mipmaps.h"
#include "picture/Coverage.h"
#include "picture/PointColours.h"
#include "sim/FieldPath.h"
#include "windowsystem/Window.h"

namespace {

constexpr const char* kFieldVertex = R"(
attribute vec2 aPosition;
void main() { gl_Position = vec4(aPosition, 0.0, 1.0); })";

// A coverage texel holds its grid index in red (low byte) and green (high byte),
// and alpha 0 where no point lies.
constexpr const char* kFieldFragment = R"(
precision highp float;
uniform sampler2D uField;
uniform sampler2D uColumns;
uniform sampler2D uRows;
uniform vec2 uWindow;
uniform vec2 uGrid;
float Index(vec4 texel) {
  return floor(texel.r * 255.0 + 0.5) + 256.0 * floor(texel.g * 255.0 + 0.5);
}
void main() {
  vec4 column = texture2D(uColumns, vec2(gl_FragCoord.x / uWindow.x, 0.5));
  vec4 row = texture2D(uRows, vec2(gl_FragCoord.y / uWindow.y, 0.5));
  if (column.a < 0.5 || row.a < 0.5) discard;
  gl_FragColor = texture2D(uField, (vec2(Index(column), Index(row)) + 0.5) / uGrid);
})";

// Window pixels counted upward, as glOrtho over the window maps them.
constexpr const char* kGlyphVertex = R"(
attribute vec2 aPosition;
attribute vec2 aTexCoord;
uniform vec2 uWindow;
varying vec2 vTexCoord;
void main() {
  vTexCoord = aTexCoord;
  gl_Position = vec4(aPosition * (2.0 / uWindow) - 1.0, 0.0, 1.0);
})";

// White modulated by the atlas; without one, white.
constexpr const char* kGlyphFragment = R"(
precision highp float;
uniform sampler2D uAtlas;
uniform bool uTextured;
varying vec2 vTexCoord;
void main() { gl_FragColor = uTextured ? texture2D(uAtlas, vTexCoord) : vec4(1.0); })";

GLuint Compile(GLenum type, const char* source) {
  const GLuint shader = glCreateShader(type);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  return shader;
}

GLuint Link(const char* vertex, const char* fragment) {
  const GLuint program = glCreateProgram();
  const GLuint shaders[2] = {Compile(GL_VERTEX_SHADER, vertex),
                             Compile(GL_FRAGMENT_SHADER, fragment)};
  for (const GLuint shader : shaders) glAttachShader(program, shader);
  glBindAttribLocation(program, 0, "aPosition");
  glBindAttribLocation(program, 1, "aTexCoord");
  glLinkProgram(program);
  for (const GLuint shader : shaders) glDeleteShader(shader);
  return program;
}

GLint Uniform(GLuint program, const char* name) { return glGetUniformLocation(program, name); }

// A texture made and left bound, sampled with these filters and this wrap both ways.
GLuint MakeTexture(GLint minify, GLint magnify, GLint wrap) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minify);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magnify);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
  return texture;
}

// Each texel as it is: the field's points and the coverage's indices.
GLuint NearestTexture() { return MakeTexture(GL_NEAREST, GL_NEAREST, GL_CLAMP_TO_EDGE); }

// One coverage axis as a one-row texture of grid indices.
void UploadAxis(GLuint texture, const std::vector<int32_t>& indices) {
  std::vector<uint8_t> texels(indices.size() * 4);
  for (size_t i = 0; i < indices.size(); ++i) {
    const int32_t index = indices[i];
    texels[4 * i] = static_cast<uint8_t>(index & 0xff);
    texels[4 * i + 1] = static_cast<uint8_t>(index >> 8 & 0xff);
    texels[4 * i + 3] = index < 0 ? 0 : 255;
  }
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, static_cast<GLsizei>(indices.size()), 1, 0, GL_RGBA,
               GL_UNSIGNED_BYTE, texels.data());
}

}  // namespace

bool WebGlPainter::Open(WindowSystem& window, std::string* error) { return window.Open(error); }

void WebGlPainter::Start(const Picture&) {
  Stop();
  fieldProgram_ = Link(kFieldVertex, kFieldFragment);
  glyphProgram_ = Link(kGlyphVertex, kGlyphFragment);
  glGenBuffers(1, &quadBuffer_);
  glGenBuffers(1, &glyphBuffer_);
  constexpr float kQuad[] = {-1, -1, 1, -1, -1, 1, 1, 1};
  glBindBuffer(GL_ARRAY_BUFFER, quadBuffer_);
  glBufferData(GL_ARRAY_BUFFER, sizeof kQuad, kQuad, GL_STATIC_DRAW);
  fieldTexture_ = NearestTexture();
  columnsTexture_ = NearestTexture();
  rowsTexture_ = NearestTexture();

  // The atlas sampled as GL samples its mipmaps: GLU's levels, the nearest level
  // filtered bilinearly, repeated at its edges.
  Image atlas;
  const std::vector<MipLevel> levels =
      LoadFontImage(&atlas) ? MipmapLevels(atlas) : std::vector<MipLevel>{};
  atlas_ = !levels.empty();
  if (!atlas_) return;
  atlasTexture_ = MakeTexture(GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR, GL_REPEAT);
  for (size_t n = 0; n < levels.size(); ++n) {
    glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(n), GL_RGBA, levels[n].width, levels[n].height,
                 0, GL_RGBA, GL_UNSIGNED_BYTE, levels[n].rgba.data());
  }
}

void WebGlPainter::Paint(const Picture& picture) {
  glViewport(0, 0, picture.width, picture.height);
  if (picture.clear) ClearNow();
  DrawField(picture);
  for (const TextRun& run : picture.text) DrawNow(run);
}

void WebGlPainter::DrawField(const Picture& picture) {
  const FieldFrame& frame = picture.field;
  const auto columns = static_cast<int>(GridColumns(frame));
  const auto rows = static_cast<int>(GridRows(frame));
  if (columns == 0 || rows == 0) return;
  const uint32_t* colours = PointColours(picture, fieldPath.threads);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, fieldTexture_);
  if (columns != gridColumns_ || rows != gridRows_) {
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, columns, rows, 0, GL_RGBA, GL_UNSIGNED_BYTE, colours);
    gridColumns_ = columns;
    gridRows_ = rows;
  } else {
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, columns, rows, GL_RGBA, GL_UNSIGNED_BYTE, colours);
  }
  const auto step = static_cast<int>(frame.step);
  if (picture.width != coveredWidth_ || picture.height != coveredHeight_ || step != coveredStep_ ||
      picture.band.bottom != bandBottom_ || picture.band.height != bandHeight_) {
    const Coverage coverage = CoverageOf(picture);
    UploadAxis(columnsTexture_, coverage.columns);
    UploadAxis(rowsTexture_, coverage.rows);
    coveredWidth_ = picture.width;
    coveredHeight_ = picture.height;
    coveredStep_ = step;
    bandBottom_ = picture.band.bottom;
    bandHeight_ = picture.band.height;
  }
  glUseProgram(fieldProgram_);
  glUniform2f(Uniform(fieldProgram_, "uWindow"), static_cast<float>(picture.width),
              static_cast<float>(picture.height));
  glUniform2f(Uniform(fieldProgram_, "uGrid"), static_cast<float>(columns),
              static_cast<float>(rows));
  const GLuint units[3] = {fieldTexture_, columnsTexture_, rowsTexture_};
  const char* names[3] = {"uField", "uColumns", "uRows"};
  for (int unit = 0; unit < 3; ++unit) {
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, units[unit]);
    glUniform1i(Uniform(fieldProgram_, names[unit]), unit);
  }
  glActiveTexture(GL_TEXTURE0);
  glBindBuffer(GL_ARRAY_BUFFER, quadBuffer_);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}

void WebGlPainter::DrawNow(const TextRun& run) {
  if (run.glyphs.empty() || glyphProgram_ == 0) return;
  // Each cell as two triangles sharing its first and third corners.
  std::vector<float> vertices;
  vertices.reserve(run.glyphs.size() * 24);
  for (const GlyphQuad& q : run.glyphs) {
    const float corners[4][4] = {{q.left, q.bottom, q.s0, q.t0},
                                 {q.left + q.width, q.bottom, q.s1, q.t0},
                                 {q.left + q.width, q.bottom + q.height, q.s1, q.t1},
                                 {q.left, q.bottom + q.height, q.s0, q.t1}};
    for (const int corner : {0, 1, 2, 0, 2, 3})
      vertices.insert(vertices.end(), corners[corner], corners[corner] + 4);
  }
  glViewport(0, 0, run.windowWidth, run.windowHeight);
  glUseProgram(glyphProgram_);
  glUniform2f(Uniform(glyphProgram_, "uWindow"), static_cast<float>(run.windowWidth),
              static_cast<float>(run.windowHeight));
  glUniform1i(Uniform(glyphProgram_, "uTextured"), atlas_ ? 1 : 0);
  glUniform1i(Uniform(glyphProgram_, "uAtlas"), 0);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, atlasTexture_);
  glBindBuffer(GL_ARRAY_BUFFER, glyphBuffer_);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)),
               vertices.data(), GL_STREAM_DRAW);
  constexpr auto kStride = static_cast<GLsizei>(4 * sizeof(float));
  glEnableVertexAttribArray(0);
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, kStride, nullptr);
  // A bound buffer takes its offsets in the place of pointers: GL's own idiom.
  glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, kStride,
                        reinterpret_cast<const void*>(2 * sizeof(float)));  // NOLINT
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size() / 4));
  glDisable(GL_BLEND);
  glDisableVertexAttribArray(1);
}

void WebGlPainter::ClearNow() {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
}

void WebGlPainter::Stop() {
  for (GLuint* program : {&fieldProgram_, &glyphProgram_}) {
    if (*program != 0) glDeleteProgram(*program);
    *program = 0;
  }
  for (GLuint* buffer : {&quadBuffer_, &glyphBuffer_}) {
    if (*buffer != 0) glDeleteBuffers(1, buffer);
    *buffer = 0;
  }
  for (GLuint* texture : {&fieldTexture_, &columnsTexture_, &rowsTexture_, &atlasTexture_}) {
    if (*texture != 0) glDeleteTextures(1, texture);
    *texture = 0;
  }
  atlas_ = false;
  gridColumns_ = gridRows_ = 0;
  coveredWidth_ = -1;
}
