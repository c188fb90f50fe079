// WebGL's programs for the page: one for GL 1.1's vertices, one that draws the
// field's rows as one quad over the window, each pixel taking the colour of the
// last point GL would have drawn over it. Names the GL 1.1 facade takes over are
// called by their emscripten_ names here.
#include "window/web/WebGlDraw.h"

#include <GLES2/gl2.h>

#include <cmath>
#include <cstddef>
#include <string>

namespace {

constexpr const char* kVertexShader = R"(
attribute vec2 aPosition;
attribute vec2 aTexCoord;
attribute vec4 aColor;
uniform mat4 uMatrix;
uniform float uPointSize;
varying vec2 vTexCoord;
varying vec4 vColor;
void main() {
  vTexCoord = aTexCoord;
  vColor = aColor;
  gl_PointSize = uPointSize;
  gl_Position = uMatrix * vec4(aPosition, 0.0, 1.0);
})";

constexpr const char* kVertexFragmentShader = R"(
precision mediump float;
uniform sampler2D uTexture;
uniform bool uTextured;
varying vec2 vTexCoord;
varying vec4 vColor;
void main() {
  gl_FragColor = uTextured ? texture2D(uTexture, vTexCoord) * vColor : vColor;
})";

constexpr const char* kFieldVertexShader = R"(
attribute vec2 aPosition;
void main() { gl_Position = vec4(aPosition, 0.0, 1.0); })";

// The field's colours, and GL 1.1's lighting of a point of them facing the eye.
constexpr const char* kFieldShading = R"(
precision highp float;
uniform sampler2D uField;
uniform vec2 uGrid;
uniform float uStep;
uniform mat4 uModelview;
uniform bool uLit;
uniform bool uLocalViewer;
uniform vec4 uSceneAmbient;
uniform vec4 uMaterialSpecular;
uniform float uShininess;
uniform float uLightOn[8];
uniform vec4 uLightAmbient[8];
uniform vec4 uLightDiffuse[8];
uniform vec4 uLightSpecular[8];
uniform vec4 uLightPosition[8];
uniform vec3 uLightDirection[8];
uniform float uLightExponent[8];
uniform float uLightCutoff[8];

vec4 Lit(vec4 material, vec2 object) {
  vec3 v = (uModelview * vec4(object, 0.0, 1.0)).xyz;
  vec3 n = vec3(0.0, 0.0, 1.0);
  vec3 toEye = uLocalViewer ? normalize(-v) : vec3(0.0, 0.0, 1.0);
  vec3 sum = uSceneAmbient.rgb * material.rgb;
  for (int i = 0; i < 8; ++i) {
    if (uLightOn[i] < 0.5) continue;
    vec4 p = uLightPosition[i];
    vec3 l = normalize(p.w != 0.0 ? p.xyz / p.w - v : p.xyz);
    float spot = 1.0;
    if (uLightCutoff[i] != 180.0) {
      float c = dot(-l, normalize(uLightDirection[i]));
      spot = c >= cos(radians(uLightCutoff[i])) ? pow(max(c, 0.0), uLightExponent[i]) : 0.0;
    }
    float diffuse = max(dot(n, l), 0.0);
    vec3 light = uLightAmbient[i].rgb * material.rgb + diffuse * uLightDiffuse[i].rgb * material.rgb;
    if (dot(n, l) != 0.0) {
      float h = max(dot(n, normalize(l + toEye)), 0.0);
      light += pow(h, uShininess) * uLightSpecular[i].rgb * uMaterialSpecular.rgb;
    }
    sum += spot * light;
  }
  return vec4(clamp(sum, 0.0, 1.0), material.a);
}

vec4 Point(vec2 cell) {
  vec4 colour = texture2D(uField, (cell + 0.5) / uGrid);
  return uLit ? Lit(colour, cell * uStep) : colour;
}
)";

// Drawn over the whole window in pixels: the point of side s at x covers x - s/2 ...
// x - s/2 + s - 1 (s/2 rounded down), so pixel x lies in cell (x + s/2) / s.
constexpr const char* kStraightField = R"(
void main() {
  vec2 cell = floor((floor(gl_FragCoord.xy) + floor(uStep * 0.5)) / uStep);
  if (cell.x >= uGrid.x || cell.y >= uGrid.y) discard;
  gl_FragColor = Point(cell);
})";

// Squeezed into a letterbox's band, the points overlap. Window x of object x: the
// projection's scale and offset, then the viewport, in floats as GL transforms a
// vertex, snapped to the rasteriser's 1/256 pixel. A point of odd side is centred
// on a pixel's centre, one of even side on a pixel corner.
constexpr const char* kSqueezedField = R"(
uniform vec4 uProjection;
uniform vec4 uViewport;
uniform bool uOdd;

vec2 WindowOf(vec2 object) {
  vec2 ndc = uProjection.xy * object + uProjection.zw;
  vec2 w = uViewport.xy + (ndc + 1.0) * uViewport.zw * 0.5;
  return floor(w * 256.0 + 0.5) / 256.0;
}
vec2 CentreOf(vec2 w) { return uOdd ? floor(w) + 0.5 : floor(w + 0.5); }

void main() {
  vec2 pixel = floor(gl_FragCoord.xy) + 0.5;
  float reach = uStep * 0.5;
  // The nearest grid point; up to two rows either way may cover a pixel.
  vec2 ndc = (pixel - uViewport.xy) / (uViewport.zw * 0.5) - 1.0;
  vec2 estimate = floor((ndc - uProjection.zw) / uProjection.xy / uStep + 0.5);
  // GL draws row by row upward, each left to right: the last point over a pixel wins.
  for (int dr = 2; dr >= -2; --dr) {
    float row = estimate.y + float(dr);
    if (row < 0.0 || row >= uGrid.y) continue;
    float y = CentreOf(WindowOf(vec2(0.0, row * uStep))).y;
    if (abs(pixel.y - y) >= reach) continue;
    for (int dc = 2; dc >= -2; --dc) {
      float column = estimate.x + float(dc);
      if (column < 0.0 || column >= uGrid.x) continue;
      float x = CentreOf(WindowOf(vec2(column * uStep, 0.0))).x;
      if (abs(pixel.x - x) >= reach) continue;
      gl_FragColor = Point(vec2(column, row));
      return;
    }
  }
  discard;
})";

GLuint Compile(GLenum type, const char* source) {
  const GLuint shader = glCreateShader(type);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  return shader;
}

GLuint Link(const char* vertex, const char* fragment, const char* fragmentMain = "") {
  const GLuint program = glCreateProgram();
  glAttachShader(program, Compile(GL_VERTEX_SHADER, vertex));
  const std::string source = std::string(fragment) + fragmentMain;
  glAttachShader(program, Compile(GL_FRAGMENT_SHADER, source.c_str()));
  glBindAttribLocation(program, 0, "aPosition");
  glBindAttribLocation(program, 1, "aTexCoord");
  glBindAttribLocation(program, 2, "aColor");
  glLinkProgram(program);
  return program;
}

void Multiply(const float* a, const float* b, float* product) {
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[column * 4 + k];
      product[column * 4 + row] = sum;
    }
  }
}

struct Programs {
  GLuint vertices = 0;
  GLuint straightField = 0;
  GLuint squeezedField = 0;
  GLuint vertexBuffer = 0;
  GLuint quadBuffer = 0;
  GLuint fieldTexture = 0;
  int fieldColumns = 0;
  int fieldRows = 0;
};

// Made at the first draw, when the context is current; they live as long as it.
Programs& Made() {
  static Programs made = [] {
    Programs p;
    p.vertices = Link(kVertexShader, kVertexFragmentShader);
    p.straightField = Link(kFieldVertexShader, kFieldShading, kStraightField);
    p.squeezedField = Link(kFieldVertexShader, kFieldShading, kSqueezedField);
    glGenBuffers(1, &p.vertexBuffer);
    glGenBuffers(1, &p.quadBuffer);
    constexpr float kQuad[] = {-1, -1, 1, -1, -1, 1, 1, 1};
    glBindBuffer(GL_ARRAY_BUFFER, p.quadBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof kQuad, kQuad, GL_STATIC_DRAW);
    glGenTextures(1, &p.fieldTexture);
    return p;
  }();
  return made;
}

GLint Uniform(GLuint program, const char* name) { return glGetUniformLocation(program, name); }

GLint BoundTexture() {
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  return bound;
}

void SetLighting(GLuint program, const WebLighting& lighting) {
  glUniform1i(Uniform(program, "uLit"), lighting.on ? 1 : 0);
  if (!lighting.on) return;
  glUniform1i(Uniform(program, "uLocalViewer"), lighting.localViewer ? 1 : 0);
  glUniform4fv(Uniform(program, "uSceneAmbient"), 1, lighting.sceneAmbient);
  glUniform4fv(Uniform(program, "uMaterialSpecular"), 1, lighting.materialSpecular);
  glUniform1f(Uniform(program, "uShininess"), lighting.shininess);
  float on[kWebLights], exponent[kWebLights], cutoff[kWebLights];
  float ambient[4 * kWebLights], diffuse[4 * kWebLights], specular[4 * kWebLights];
  float position[4 * kWebLights], direction[3 * kWebLights];
  for (int i = 0; i < kWebLights; ++i) {
    const WebLight& light = lighting.lights[i];
    on[i] = light.enabled ? 1.0f : 0.0f;
    exponent[i] = light.exponent;
    cutoff[i] = light.cutoff;
    for (int c = 0; c < 4; ++c) {
      ambient[4 * i + c] = light.ambient[c];
      diffuse[4 * i + c] = light.diffuse[c];
      specular[4 * i + c] = light.specular[c];
      position[4 * i + c] = light.position[c];
    }
    for (int c = 0; c < 3; ++c) direction[3 * i + c] = light.direction[c];
  }
  glUniform1fv(Uniform(program, "uLightOn"), kWebLights, on);
  glUniform1fv(Uniform(program, "uLightExponent"), kWebLights, exponent);
  glUniform1fv(Uniform(program, "uLightCutoff"), kWebLights, cutoff);
  glUniform4fv(Uniform(program, "uLightAmbient"), kWebLights, ambient);
  glUniform4fv(Uniform(program, "uLightDiffuse"), kWebLights, diffuse);
  glUniform4fv(Uniform(program, "uLightSpecular"), kWebLights, specular);
  glUniform4fv(Uniform(program, "uLightPosition"), kWebLights, position);
  glUniform3fv(Uniform(program, "uLightDirection"), kWebLights, direction);
}

}  // namespace

void DrawWebVertices(unsigned mode, const WebVertex* vertices, int count,
                     const WebTransform& transform, bool textured, float pointSize) {
  if (count == 0) return;
  const Programs& p = Made();
  glUseProgram(p.vertices);
  float matrix[16];
  Multiply(transform.projection, transform.modelview, matrix);
  glUniformMatrix4fv(Uniform(p.vertices, "uMatrix"), 1, GL_FALSE, matrix);
  glUniform1f(Uniform(p.vertices, "uPointSize"), pointSize);
  glUniform1i(Uniform(p.vertices, "uTextured"), textured ? 1 : 0);
  glUniform1i(Uniform(p.vertices, "uTexture"), 0);
  glBindBuffer(GL_ARRAY_BUFFER, p.vertexBuffer);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(WebVertex)) * count, vertices,
               GL_STREAM_DRAW);
  const auto stride = static_cast<GLsizei>(sizeof(WebVertex));
  glEnableVertexAttribArray(0);
  glEnableVertexAttribArray(1);
  glEnableVertexAttribArray(2);
  glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, nullptr);
  // A bound buffer takes its offsets in the place of pointers: GL's own idiom.
  glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<const void*>(offsetof(WebVertex, s)));  // NOLINT
  glVertexAttribPointer(2, 4, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<const void*>(offsetof(WebVertex, rgba)));  // NOLINT
  emscripten_glDrawArrays(mode, 0, count);
  glDisableVertexAttribArray(1);
  glDisableVertexAttribArray(2);
}

void DrawWebField(const WebField& field, const WebTransform& transform, const WebLighting& lighting,
                  int windowWidth, int windowHeight) {
  if (field.columns == 0 || field.rows == 0) return;
  Programs& p = Made();
  const GLint bound = BoundTexture();
  emscripten_glBindTexture(GL_TEXTURE_2D, p.fieldTexture);
  if (field.columns != p.fieldColumns || field.rows != p.fieldRows) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, field.columns, field.rows, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 field.rgba);
    p.fieldColumns = field.columns;
    p.fieldRows = field.rows;
  } else {
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, field.columns, field.rows, GL_RGBA, GL_UNSIGNED_BYTE,
                    field.rgba);
  }

  // The projection maps object x and y on their own (GL's glOrtho): scale and offset.
  float matrix[16];
  Multiply(transform.projection, transform.modelview, matrix);
  const int* v = transform.viewport;
  const auto w = static_cast<float>(windowWidth);
  const auto h = static_cast<float>(windowHeight);
  // Object units are the window's pixels when the view is the frame driver's own, unboxed.
  const bool straight = v[0] == 0 && v[1] == 0 && v[2] == windowWidth && v[3] == windowHeight &&
                        std::fabs(matrix[0] * w * 0.5f - 1.0f) < 1e-6f &&
                        std::fabs(matrix[5] * h * 0.5f - 1.0f) < 1e-6f &&
                        std::fabs(matrix[12] + 1.0f) < 1e-6f &&
                        std::fabs(matrix[13] + 1.0f) < 1e-6f;
  const GLuint program = straight ? p.straightField : p.squeezedField;
  glUseProgram(program);
  if (!straight) {
    glUniform4f(Uniform(program, "uProjection"), matrix[0], matrix[5], matrix[12], matrix[13]);
    glUniform4f(Uniform(program, "uViewport"), static_cast<float>(v[0]), static_cast<float>(v[1]),
                static_cast<float>(v[2]), static_cast<float>(v[3]));
    glUniform1i(Uniform(program, "uOdd"), field.step % 2);
  }
  glUniform2f(Uniform(program, "uGrid"), static_cast<float>(field.columns),
              static_cast<float>(field.rows));
  glUniform1f(Uniform(program, "uStep"), static_cast<float>(field.step));
  glUniform1i(Uniform(program, "uField"), 0);
  glUniformMatrix4fv(Uniform(program, "uModelview"), 1, GL_FALSE, transform.modelview);
  SetLighting(program, lighting);

  // Points reach past the viewport by half their side: the quad covers the window.
  emscripten_glViewport(0, 0, windowWidth, windowHeight);
  glBindBuffer(GL_ARRAY_BUFFER, p.quadBuffer);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
  emscripten_glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
  emscripten_glViewport(v[0], v[1], v[2], v[3]);
  emscripten_glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
}
