// The field's colours, two ways. Its own way works each grid point out as the
// reference does, in single precision from values the processor works out in
// double once a frame, in a fragment program: into a texture of one texel a point,
// the window then covered from it; at step 1, where that texture would be the
// window, straight onto the window. The rows' way uploads the processor's colours
// into that texture. The window is covered by strips carrying each pixel's grid
// point in a varying, so no pixel reads gl_FragCoord (a mediump value in WebGL that
// cannot tell pixels apart from 1025 on) nor looks its point up. Nothing of GL 1.1
// is kept: the painter holds what it draws with, and the view is the window's pixels.
#include "painters/webgl/WebGlPainter.h"

#include <GLES2/gl2.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "app/FontPath.h"
#include "image/Image.h"
#include "image/Mipmaps.h"
#include "painters/webgl/FieldProgram.h"
#include "painters/webgl/Programs.h"
#include "picture/Coverage.h"
#include "picture/PointColours.h"
#include "sim/FieldPath.h"
#include "windowsystem/Window.h"

namespace {

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

// Two triangles over a rectangle of the target, the extra pair going linearly from
// `from` at its bottom left corner to `to` at its top right.
void AddQuad(std::vector<float>* vertices, const float (&corner)[4], const float (&from)[2],
             const float (&to)[2]) {
  for (const int k : {0, 1, 2, 0, 2, 3}) {
    const bool right = k == 1 || k == 2, top = k >= 2;
    vertices->insert(vertices->end(), {corner[right ? 2 : 0], corner[top ? 3 : 1],
                                       right ? to[0] : from[0], top ? to[1] : from[1]});
  }
}

constexpr auto kStride = static_cast<GLsizei>(4 * sizeof(float));

// Position, then the extra pair, from the buffer bound now.
void PointAttributes(GLuint buffer) {
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glEnableVertexAttribArray(0);
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, kStride, nullptr);
  // A bound buffer takes its offsets in the place of pointers: GL's own idiom.
  glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, kStride,
                        reinterpret_cast<const void*>(2 * sizeof(float)));  // NOLINT
}

void Fill(GLuint buffer, const std::vector<float>& vertices) {
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)),
               vertices.data(), GL_STATIC_DRAW);
}

}  // namespace

bool WebGlPainter::Open(WindowSystem& window, std::string* error) { return window.Open(error); }

void WebGlPainter::Start(const Picture&) {
  Stop();
  fieldInShader_ = !rowsAsked_ && FragmentsHaveHighFloats();
  rowsProgram_ = Link({kGridPoint, kRowsFragment});
  glyphProgram_ = Link({kGlyphFragment});
  for (GLuint* buffer : {&stripBuffer_, &gridBuffer_, &glyphBuffer_}) glGenBuffers(1, buffer);
  glGenFramebuffers(1, &framebuffer_);
  gridTexture_ = MakeTexture(GL_NEAREST, GL_NEAREST, GL_CLAMP_TO_EDGE);

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
  CoverWindow(picture);
  // A field program this browser will not build leaves the rows for good.
  const GLuint field = fieldInShader_ ? FieldProgram(picture) : 0;
  fieldInShader_ = field != 0;
  GLuint program = field;
  if (fieldInShader_ && frame.step == 1) {
    glUseProgram(program);  // one point a pixel: straight onto the window
    SetFieldUniforms(program, picture);
  } else {
    SizeGrid(columns, rows);
    if (fieldInShader_) {
      PaintGrid(field, picture);
    } else {
      glBindTexture(GL_TEXTURE_2D, gridTexture_);
      glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, columns, rows, GL_RGBA, GL_UNSIGNED_BYTE,
                      PointColours(picture, fieldPath.threads));
    }
    program = rowsProgram_;
    glUseProgram(program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, gridTexture_);
    glUniform1i(Uniform(program, "uRows"), 0);
    glUniform2f(Uniform(program, "uGrid"), static_cast<float>(columns), static_cast<float>(rows));
  }
  glUniform2f(Uniform(program, "uWindow"), static_cast<float>(picture.width),
              static_cast<float>(picture.height));
  PointAttributes(stripBuffer_);
  glDrawArrays(GL_TRIANGLES, 0, stripVertices_);
  glDisableVertexAttribArray(1);
}

// The texture of one texel a grid point, the framebuffer drawing into it, and the
// quad that covers it, each remade only when the grid's size changes.
void WebGlPainter::SizeGrid(int columns, int rows) {
  if (columns == gridColumns_ && rows == gridRows_) return;
  glBindTexture(GL_TEXTURE_2D, gridTexture_);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, columns, rows, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, gridTexture_, 0);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  const auto across = static_cast<float>(columns), up = static_cast<float>(rows);
  std::vector<float> quad;
  AddQuad(&quad, {0.0f, 0.0f, across, up}, {0.0f, 0.0f}, {across, up});
  Fill(gridBuffer_, quad);
  gridColumns_ = columns;
  gridRows_ = rows;
}

// Each grid point's colour into its texel. (Where the GL works on the page's own
// thread, as WebKit's does on Mesa, the covering that samples it then waits for it.)
void WebGlPainter::PaintGrid(GLuint field, const Picture& picture) const {
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glViewport(0, 0, gridColumns_, gridRows_);
  glUseProgram(field);
  SetFieldUniforms(field, picture);
  glUniform2f(Uniform(field, "uWindow"), static_cast<float>(gridColumns_),
              static_cast<float>(gridRows_));
  PointAttributes(gridBuffer_);
  glDrawArrays(GL_TRIANGLES, 0, 6);
  glDisableVertexAttribArray(1);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glViewport(0, 0, picture.width, picture.height);
}

// The strips change only with the window, the step and the band. Rows that follow
// the columns' rule (no letterbox) make one strip; otherwise each run of window rows
// on one grid row is a strip of its own.
void WebGlPainter::CoverWindow(const Picture& picture) {
  const auto step = static_cast<int>(picture.field.step);
  const std::array<int, 5> covers = {picture.width, picture.height, step, picture.band.bottom,
                                     picture.band.height};
  if (covers == covered_) return;
  covered_ = covers;
  const Coverage coverage = CoverageOf(picture);
  const int back = step / 2;
  const auto grid = static_cast<float>(step);
  const auto across = [&](const std::vector<int32_t>& covered) {
    return static_cast<int>(std::find(covered.begin(), covered.end(), -1) - covered.begin());
  };
  const auto right = static_cast<float>(across(coverage.columns));
  const float columnFrom = static_cast<float>(back) / grid;
  const float columnTo = (right + static_cast<float>(back)) / grid;
  const auto height = static_cast<int>(coverage.rows.size());
  const int up = across(coverage.rows);
  bool even = true;
  for (int g = 0; g < height; ++g) {
    even = even && coverage.rows[static_cast<size_t>(g)] == (g < up ? (g + back) / step : -1);
  }
  std::vector<float> vertices;
  if (even) {
    const auto top = static_cast<float>(up);
    AddQuad(&vertices, {0.0f, 0.0f, right, top}, {columnFrom, columnFrom},
            {columnTo, (top + static_cast<float>(back)) / grid});
  }
  for (int first = 0, end = 0; !even && first < height; first = end) {
    const int32_t row = coverage.rows[static_cast<size_t>(first)];
    for (end = first + 1; end < height && coverage.rows[static_cast<size_t>(end)] == row;) ++end;
    const float middle = static_cast<float>(row) + 0.5f;
    if (row >= 0) {
      AddQuad(&vertices, {0.0f, static_cast<float>(first), right, static_cast<float>(end)},
              {columnFrom, middle}, {columnTo, middle});
    }
  }
  Fill(stripBuffer_, vertices);
  stripVertices_ = static_cast<int>(vertices.size() / 4);
}

GLuint WebGlPainter::FieldProgram(const Picture& picture) {
  const FieldFrame& frame = picture.field;
  // A scheme past the last draws black, as the reference does.
  const int scheme =
      frame.colorOption >= 0 && frame.colorOption < kSchemes ? frame.colorOption : kSchemes;
  const int ripples = std::clamp(frame.rippleCount, 1, kMaxRipples);
  const int lit = picture.light.has_value() ? 1 : 0;
  const int key = (scheme * (kMaxRipples + 1) + ripples) * 2 + lit;
  const auto found = fieldPrograms_.find(key);
  if (found != fieldPrograms_.end()) return found->second;
  const GLuint program = LinkFieldProgram(scheme, ripples, lit != 0);
  fieldPrograms_[key] = program;
  return program;
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
  Fill(glyphBuffer_, vertices);
  PointAttributes(glyphBuffer_);
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
  for (const auto& [key, program] : fieldPrograms_) {
    if (program != 0) glDeleteProgram(program);
  }
  fieldPrograms_.clear();
  fieldInShader_ = false;
  for (GLuint* program : {&rowsProgram_, &glyphProgram_}) {
    if (*program != 0) glDeleteProgram(*program);
    *program = 0;
  }
  if (framebuffer_ != 0) glDeleteFramebuffers(1, &framebuffer_);
  framebuffer_ = 0;
  for (GLuint* buffer : {&stripBuffer_, &gridBuffer_, &glyphBuffer_}) {
    if (*buffer != 0) glDeleteBuffers(1, buffer);
    *buffer = 0;
  }
  for (GLuint* texture : {&gridTexture_, &atlasTexture_}) {
    if (*texture != 0) glDeleteTextures(1, texture);
    *texture = 0;
  }
  atlas_ = false;
  gridColumns_ = gridRows_ = 0;
  covered_ = {};
  stripVertices_ = 0;
}
