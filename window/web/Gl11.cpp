// The OpenGL 1.1 calls the program's folders make, kept on WebGL for the page:
// matrices, lights, the current colour and attribute stacks held here, immediate
// mode gathered into vertex arrays, the field's pixel rectangle drawn as the
// points it stands for (sim/FieldDrawing.cpp), mipmaps made as GLU makes them.
// WebGL's own calls of the same names are reached as emscripten_gl*.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <vector>

#include "window/web/WebGlDraw.h"
#include "windowsystem/Window.h"

namespace {

using Matrix = std::array<float, 16>;  // column by column, as GL keeps it
constexpr Matrix kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

Matrix Times(const Matrix& a, const Matrix& b) {
  Matrix product{};
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[column * 4 + k];
      product[column * 4 + row] = sum;
    }
  }
  return product;
}

struct Attributes {
  GLbitfield mask = 0;
  std::array<int, 4> viewport{};
  std::array<float, 4> colour{};
  float zoom = 1.0f;
};

struct ClientArray {
  bool enabled = false;
  int size = 0;
  int stride = 0;
  const float* data = nullptr;
};

struct State {
  std::vector<Matrix> modelview{kIdentity};
  std::vector<Matrix> projection{kIdentity};
  bool modelviewMode = true;
  std::array<int, 4> viewport{};
  std::array<float, 4> colour{1, 1, 1, 1};
  float s = 0, t = 0;
  bool texturing = false;
  float pointSize = 1.0f;
  float zoom = 1.0f;
  WebLighting lighting;
  std::vector<Attributes> attributes;
  ClientArray vertexArray, colourArray;
  GLenum mode = 0;
  std::vector<WebVertex> vertices;  // between glBegin and glEnd
};

State& Gl() {
  static State state = [] {
    State s;
    s.lighting.lights[0].diffuse[0] = s.lighting.lights[0].diffuse[1] = 1.0f;
    s.lighting.lights[0].diffuse[2] = 1.0f;
    s.lighting.lights[0].specular[0] = s.lighting.lights[0].specular[1] = 1.0f;
    s.lighting.lights[0].specular[2] = 1.0f;
    return s;
  }();
  return state;
}

Matrix& Current() {
  State& gl = Gl();
  return gl.modelviewMode ? gl.modelview.back() : gl.projection.back();
}

void MultiplyCurrent(const Matrix& m) { Current() = Times(Current(), m); }

WebTransform Transform() {
  const State& gl = Gl();
  WebTransform transform{};
  for (int i = 0; i < 16; ++i) {
    transform.projection[i] = gl.projection.back()[i];
    transform.modelview[i] = gl.modelview.back()[i];
  }
  for (int i = 0; i < 4; ++i) transform.viewport[i] = gl.viewport[i];
  return transform;
}

// The capabilities WebGL does not have, held here; 0 for one it has.
bool* Held(GLenum cap) {
  State& gl = Gl();
  static bool colourMaterial = false, multisample = false;
  if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + kWebLights) {
    return &gl.lighting.lights[cap - GL_LIGHT0].enabled;
  }
  switch (cap) {
    case GL_LIGHTING: return &gl.lighting.on;
    case GL_TEXTURE_2D: return &gl.texturing;
    case GL_COLOR_MATERIAL: return &colourMaterial;
    case GL_MULTISAMPLE: return &multisample;
    default: return nullptr;
  }
}

void AddVertex(float x, float y) {
  State& gl = Gl();
  gl.vertices.push_back(
      {x, y, gl.s, gl.t, {gl.colour[0], gl.colour[1], gl.colour[2], gl.colour[3]}});
}

// GLU's box filter: each texel of the next level the rounded mean of four.
std::vector<uint8_t> Halve(const std::vector<uint8_t>& level, int width, int height, int bytes) {
  const int w = std::max(1, width / 2);
  const int h = std::max(1, height / 2);
  const int dx = width > 1 ? bytes : 0;
  const int dy = height > 1 ? width * bytes : 0;
  std::vector<uint8_t> next(static_cast<size_t>(w) * h * bytes);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const size_t at = (static_cast<size_t>(2 * y) * width + static_cast<size_t>(2 * x)) * bytes;
      const uint8_t* p = &level[at];
      for (int c = 0; c < bytes; ++c) {
        const int sum = p[c] + p[c + dx] + p[c + dy] + p[c + dx + dy];
        next[(static_cast<size_t>(y) * w + x) * bytes + c] = static_cast<uint8_t>((sum + 2) / 4);
      }
    }
  }
  return next;
}

}  // namespace

void glEnable(GLenum cap) {
  if (bool* held = Held(cap)) {
    *held = true;
  } else {
    emscripten_glEnable(cap);
  }
}

void glDisable(GLenum cap) {
  if (bool* held = Held(cap)) {
    *held = false;
  } else {
    emscripten_glDisable(cap);
  }
}

GLboolean glIsEnabled(GLenum cap) {
  const bool* held = Held(cap);
  return held != nullptr ? static_cast<GLboolean>(*held) : emscripten_glIsEnabled(cap);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  Gl().viewport = {x, y, width, height};
  emscripten_glViewport(x, y, width, height);
}

// WebGL unpacks rows tightly or aligned; the other unpack modes the program sets are GL's defaults.
void glPixelStorei(GLenum name, GLint value) {
  if (name == GL_UNPACK_ALIGNMENT || name == GL_PACK_ALIGNMENT)
    emscripten_glPixelStorei(name, value);
}
void glPixelTransferi(GLenum, GLint) {}
void glPixelTransferf(GLenum, GLfloat) {}
void glPixelZoom(GLfloat x, GLfloat) { Gl().zoom = x; }
// The rectangle always starts at the grid's first point: its raster position is implied.
void glRasterPos2i(GLint, GLint) {}
void glBitmap(GLsizei, GLsizei, GLfloat, GLfloat, GLfloat, GLfloat, const GLubyte*) {}

void glDrawPixels(GLsizei width, GLsizei height, GLenum format, GLenum type, const GLvoid* pixels) {
  if (format != GL_RGBA || type != GL_UNSIGNED_BYTE) return;
  const State& gl = Gl();
  WebField field;
  field.rgba = static_cast<const uint32_t*>(pixels);
  field.columns = width;
  field.rows = height;
  field.step = static_cast<int>(gl.zoom);
  DrawWebField(field, Transform(), gl.lighting, CurrentWindow().WindowWidth(),
               CurrentWindow().WindowHeight());
}

void glPushAttrib(GLbitfield mask) {
  const State& gl = Gl();
  Gl().attributes.push_back({mask, gl.viewport, gl.colour, gl.zoom});
}

void glPopAttrib() {
  State& gl = Gl();
  if (gl.attributes.empty()) return;
  const Attributes saved = gl.attributes.back();
  gl.attributes.pop_back();
  if ((saved.mask & GL_VIEWPORT_BIT) != 0) {
    glViewport(saved.viewport[0], saved.viewport[1], saved.viewport[2], saved.viewport[3]);
  }
  if ((saved.mask & GL_CURRENT_BIT) != 0) gl.colour = saved.colour;
  if ((saved.mask & GL_PIXEL_MODE_BIT) != 0) gl.zoom = saved.zoom;
}

void glPushClientAttrib(GLbitfield) {}
void glPopClientAttrib() {
  Gl().vertexArray.enabled = false;
  Gl().colourArray.enabled = false;
}

void glEnableClientState(GLenum array) {
  if (array == GL_VERTEX_ARRAY) Gl().vertexArray.enabled = true;
  if (array == GL_COLOR_ARRAY) Gl().colourArray.enabled = true;
}
void glDisableClientState(GLenum array) {
  if (array == GL_VERTEX_ARRAY) Gl().vertexArray.enabled = false;
  if (array == GL_COLOR_ARRAY) Gl().colourArray.enabled = false;
}
void glVertexPointer(GLint size, GLenum, GLsizei stride, const GLvoid* data) {
  Gl().vertexArray = {Gl().vertexArray.enabled, size, stride, static_cast<const float*>(data)};
}
void glColorPointer(GLint size, GLenum, GLsizei stride, const GLvoid* data) {
  Gl().colourArray = {Gl().colourArray.enabled, size, stride, static_cast<const float*>(data)};
}

// Client arrays of float positions and colours, as the field's point arrays give them.
void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
  State& gl = Gl();
  if (!gl.vertexArray.enabled) {
    emscripten_glDrawArrays(mode, first, count);
    return;
  }
  const ClientArray& v = gl.vertexArray;
  const ClientArray& c = gl.colourArray;
  std::vector<WebVertex> vertices;
  vertices.reserve(static_cast<size_t>(count));
  for (GLsizei i = first; i < first + count; ++i) {
    const float* p = v.data + static_cast<ptrdiff_t>(i) * (v.stride != 0 ? v.stride / 4 : v.size);
    WebVertex vertex{p[0], p[1], 0, 0, {gl.colour[0], gl.colour[1], gl.colour[2], gl.colour[3]}};
    if (c.enabled) {
      const float* q = c.data + static_cast<ptrdiff_t>(i) * (c.stride != 0 ? c.stride / 4 : c.size);
      for (int k = 0; k < c.size; ++k) vertex.rgba[k] = q[k];
    }
    vertices.push_back(vertex);
  }
  DrawWebVertices(mode, vertices.data(), count, Transform(), false, gl.pointSize);
}

void glBegin(GLenum mode) {
  Gl().mode = mode;
  Gl().vertices.clear();
}

void glEnd() {
  State& gl = Gl();
  if (gl.mode == GL_QUADS) {
    // Each quad as two triangles sharing its first and third corners.
    std::vector<WebVertex> triangles;
    for (size_t q = 0; q + 3 < gl.vertices.size(); q += 4) {
      for (const size_t corner : {0, 1, 2, 0, 2, 3}) triangles.push_back(gl.vertices[q + corner]);
    }
    DrawWebVertices(GL_TRIANGLES, triangles.data(), static_cast<int>(triangles.size()), Transform(),
                    gl.texturing, gl.pointSize);
  } else {
    DrawWebVertices(gl.mode, gl.vertices.data(), static_cast<int>(gl.vertices.size()), Transform(),
                    gl.texturing, gl.pointSize);
  }
  gl.vertices.clear();
}

void glVertex2i(GLint x, GLint y) { AddVertex(static_cast<float>(x), static_cast<float>(y)); }
void glVertex2f(GLfloat x, GLfloat y) { AddVertex(x, y); }
void glTexCoord2f(GLfloat s, GLfloat t) {
  Gl().s = s;
  Gl().t = t;
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { Gl().colour = {r, g, b, 1.0f}; }
void glColor3d(GLdouble r, GLdouble g, GLdouble b) {
  glColor3f(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b));
}

void glMatrixMode(GLenum mode) { Gl().modelviewMode = mode != GL_PROJECTION; }
void glLoadIdentity() { Current() = kIdentity; }
void glPushMatrix() {
  State& gl = Gl();
  auto& stack = gl.modelviewMode ? gl.modelview : gl.projection;
  stack.push_back(stack.back());
}
void glPopMatrix() {
  State& gl = Gl();
  auto& stack = gl.modelviewMode ? gl.modelview : gl.projection;
  if (stack.size() > 1) stack.pop_back();
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble near,
             GLdouble far) {
  Matrix m = kIdentity;
  m[0] = static_cast<float>(2.0 / (right - left));
  m[5] = static_cast<float>(2.0 / (top - bottom));
  m[10] = static_cast<float>(-2.0 / (far - near));
  m[12] = static_cast<float>(-(right + left) / (right - left));
  m[13] = static_cast<float>(-(top + bottom) / (top - bottom));
  m[14] = static_cast<float>(-(far + near) / (far - near));
  MultiplyCurrent(m);
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  Matrix m = kIdentity;
  m[12] = x;
  m[13] = y;
  m[14] = z;
  MultiplyCurrent(m);
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  const float length = std::sqrt(x * x + y * y + z * z);
  if (length == 0.0f) return;
  x /= length;
  y /= length;
  z /= length;
  const float radians = angle * (std::numbers::pi_v<float> / 180.0f);
  const float c = std::cos(radians);
  const float s = std::sin(radians);
  const float k = 1.0f - c;
  const Matrix m = {x * x * k + c,
                    y * x * k + z * s,
                    x * z * k - y * s,
                    0,
                    x * y * k - z * s,
                    y * y * k + c,
                    y * z * k + x * s,
                    0,
                    x * z * k + y * s,
                    y * z * k - x * s,
                    z * z * k + c,
                    0,
                    0,
                    0,
                    0,
                    1};
  MultiplyCurrent(m);
}

// Text and the field are filled whatever the mode: glPolygonMode changes nothing drawn.
void glPolygonMode(GLenum, GLenum) {}
void glShadeModel(GLenum) {}
void glColorMaterial(GLenum, GLenum) {}
void glTexEnvf(GLenum, GLenum, GLfloat) {}  // GL_MODULATE, the one mode the program uses
void glPointSize(GLfloat size) { Gl().pointSize = size; }

void glLightf(GLenum light, GLenum name, GLfloat value) {
  if (light < GL_LIGHT0 || light >= GL_LIGHT0 + kWebLights) return;
  WebLight& l = Gl().lighting.lights[light - GL_LIGHT0];
  if (name == GL_SPOT_EXPONENT) l.exponent = value;
  if (name == GL_SPOT_CUTOFF) l.cutoff = value;
}

void glLightfv(GLenum light, GLenum name, const GLfloat* v) {
  if (light < GL_LIGHT0 || light >= GL_LIGHT0 + kWebLights) return;
  WebLight& l = Gl().lighting.lights[light - GL_LIGHT0];
  const Matrix& m = Gl().modelview.back();
  switch (name) {
    case GL_AMBIENT: std::copy(v, v + 4, l.ambient); break;
    case GL_DIFFUSE: std::copy(v, v + 4, l.diffuse); break;
    case GL_SPECULAR: std::copy(v, v + 4, l.specular); break;
    case GL_POSITION:  // into eye coordinates by the modelview of the moment
      for (int row = 0; row < 4; ++row) {
        l.position[row] =
            m[row] * v[0] + m[4 + row] * v[1] + m[8 + row] * v[2] + m[12 + row] * v[3];
      }
      break;
    case GL_SPOT_DIRECTION:
      for (int row = 0; row < 3; ++row) {
        l.direction[row] = m[row] * v[0] + m[4 + row] * v[1] + m[8 + row] * v[2];
      }
      break;
    default: break;
  }
}

void glLightModelfv(GLenum name, const GLfloat* v) {
  if (name == GL_LIGHT_MODEL_AMBIENT) std::copy(v, v + 4, Gl().lighting.sceneAmbient);
}
void glLightModeli(GLenum name, GLint value) {
  if (name == GL_LIGHT_MODEL_LOCAL_VIEWER) Gl().lighting.localViewer = value != 0;
}
void glMaterialfv(GLenum, GLenum name, const GLfloat* v) {
  if (name == GL_SPECULAR) std::copy(v, v + 4, Gl().lighting.materialSpecular);
}
void glMateriali(GLenum, GLenum name, GLint value) {
  if (name == GL_SHININESS) Gl().lighting.shininess = static_cast<float>(value);
}

// Power-of-two images of bytes, the only ones the program makes mipmaps of.
GLint gluBuild2DMipmaps(GLenum target, GLint components, GLsizei width, GLsizei height,
                        GLenum format, GLenum type, const void* data) {
  const bool powerOfTwo =
      width > 0 && height > 0 && (width & (width - 1)) == 0 && (height & (height - 1)) == 0;
  if (type != GL_UNSIGNED_BYTE || !powerOfTwo || components < 1 || components > 4) {
    return GLU_INVALID_VALUE;
  }
  const int bytes = components;
  GLint alignment = 4;
  emscripten_glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const auto* first = static_cast<const uint8_t*>(data);
  std::vector<uint8_t> level(first, first + static_cast<size_t>(width) * height * bytes);
  for (GLint n = 0;; ++n) {
    glTexImage2D(target, n, static_cast<GLint>(format), width, height, 0, format, type,
                 level.data());
    if (width == 1 && height == 1) break;
    level = Halve(level, width, height, bytes);
    width = std::max(1, width / 2);
    height = std::max(1, height / 2);
  }
  emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  return 0;
}
