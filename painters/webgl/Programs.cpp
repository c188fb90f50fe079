// The painter's GLSL: the vertex program every one shares, the grid point's
// function, the rows' and the glyphs' fragment programs, and how each is built.
#include "painters/webgl/Programs.h"

#include <vector>

namespace {
// Window pixels counted upward, as glOrtho over the window maps them; aExtra is the
// grid point, whole in each pixel's interpolated value, or a glyph's texture coordinates.
constexpr const char* kVertex = R"(
attribute vec2 aPosition;
attribute vec2 aExtra;
uniform vec2 uWindow;
varying vec2 vExtra;
void main() {
  vExtra = aExtra;
  gl_Position = vec4(aPosition * (2.0 / uWindow) - 1.0, 0.0, 1.0);
})";
}  // namespace

const char* const kGridPoint = R"(
precision highp float;
varying vec2 vExtra;
vec2 GridPoint() { return floor(vExtra); }
)";

const char* const kRowsFragment = R"(
uniform sampler2D uRows;
uniform vec2 uGrid;
void main() { gl_FragColor = texture2D(uRows, (GridPoint() + 0.5) / uGrid); })";

// White modulated by the atlas; without one, white.
const char* const kGlyphFragment = R"(
precision highp float;
uniform sampler2D uAtlas;
uniform bool uTextured;
varying vec2 vExtra;
void main() { gl_FragColor = uTextured ? texture2D(uAtlas, vExtra) : vec4(1.0); })";

namespace {

// A shader from its sources in turn.
GLuint Compile(GLenum type, std::initializer_list<const char*> sources) {
  const GLuint shader = glCreateShader(type);
  const std::vector<const char*> parts(sources);
  glShaderSource(shader, static_cast<GLsizei>(parts.size()), parts.data(), nullptr);
  glCompileShader(shader);
  return shader;
}

}  // namespace

GLuint Link(std::initializer_list<const char*> fragment) {
  const GLuint program = glCreateProgram();
  const GLuint shaders[2] = {Compile(GL_VERTEX_SHADER, {kVertex}),
                             Compile(GL_FRAGMENT_SHADER, fragment)};
  for (const GLuint shader : shaders) glAttachShader(program, shader);
  glBindAttribLocation(program, 0, "aPosition");
  glBindAttribLocation(program, 1, "aExtra");
  glLinkProgram(program);
  for (const GLuint shader : shaders) glDeleteShader(shader);
  GLint linked = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &linked);
  if (linked == GL_TRUE) return program;
  glDeleteProgram(program);
  return 0;
}

GLint Uniform(GLuint program, const char* name) { return glGetUniformLocation(program, name); }

// Fragment programs whose floats are single precision; WebGL may give them 16 bits.
bool FragmentsHaveHighFloats() {
  GLint range[2] = {0, 0};
  GLint precision = 0;
  glGetShaderPrecisionFormat(GL_FRAGMENT_SHADER, GL_HIGH_FLOAT, range, &precision);
  return precision >= 23;
}
