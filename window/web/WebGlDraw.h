// What the page draws with WebGL's own calls, for the GL 1.1 calls of the
// program's folders (window/web/Gl11.cpp): plain or textured triangles and points
// as GL 1.1 draws them, and the field's rows as the grid of points they stand for.
#pragma once

#include <cstdint>

constexpr int kWebLights = 8;

// One GL light, its position and direction in eye coordinates.
struct WebLight {
  bool enabled = false;
  float ambient[4] = {0, 0, 0, 1};
  float diffuse[4] = {0, 0, 0, 1};
  float specular[4] = {0, 0, 0, 1};
  float position[4] = {0, 0, 1, 0};
  float direction[3] = {0, 0, -1};
  float exponent = 0.0f;
  float cutoff = 180.0f;  // degrees; 180 is no spot
};

// GL 1.1's lighting of a vertex whose colour is its material's ambient and
// diffuse colour (colour material), facing +z in eye coordinates.
struct WebLighting {
  bool on = false;
  bool localViewer = false;
  float sceneAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
  float materialSpecular[4] = {0, 0, 0, 1};
  float shininess = 0.0f;
  WebLight lights[kWebLights];
};

struct WebVertex {
  float x, y;     // object coordinates
  float s, t;     // texture coordinates
  float rgba[4];  // the current colour
};

// The frame of the drawing: matrices column by column as GL keeps them, and the viewport.
struct WebTransform {
  float projection[16];
  float modelview[16];
  int viewport[4];
};

// GL_TRIANGLES or GL_POINTS of `count` vertices through the current viewport;
// textured modulates the texture bound to unit 0 by the vertex colour.
void DrawWebVertices(unsigned mode, const WebVertex* vertices, int count,
                     const WebTransform& transform, bool textured, float pointSize);

// The field's rows, columns x rows colours (R, G, B, A bytes): each is the square
// point of side `step` that GL would draw at object (column * step, row * step),
// placed and overlapped as GL places points, lit as GL lights a vertex.
struct WebField {
  const uint32_t* rgba = nullptr;
  int columns = 0;
  int rows = 0;
  int step = 1;
};
void DrawWebField(const WebField& field, const WebTransform& transform, const WebLighting& lighting,
                  int windowWidth, int windowHeight);

// The real WebGL calls under names the GL 1.1 facade takes over.
extern "C" {
void emscripten_glEnable(unsigned cap);
void emscripten_glDisable(unsigned cap);
unsigned char emscripten_glIsEnabled(unsigned cap);
void emscripten_glViewport(int x, int y, int width, int height);
void emscripten_glBindTexture(unsigned target, unsigned texture);
void emscripten_glPixelStorei(unsigned name, int value);
void emscripten_glGetIntegerv(unsigned name, int* values);
void emscripten_glDrawArrays(unsigned mode, int first, int count);
}
