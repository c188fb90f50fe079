// The frame in GL's order: the light placed, the view, the clear, the field lit
// only while it is drawn, then each text run as one textured quad a character in
// whole-window pixel space. A run puts back the viewport, modelview, polygon mode
// and depth writes; the projection stays the window-sized one, blending and
// texturing end off, the colour white and the atlas bound.
#include "painters/gl/GlPainter.h"

#include <GL/gl.h>

#include "app/FontPath.h"
#include "painters/gl/FieldDrawing.h"
#include "windowsystem/Window.h"

namespace {
// GL's light 0 from the light's values, placed on its orbit about the origin of
// the modelview space of the moment.
void PlaceLight(const SpotLight& light) {
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, light.sceneAmbient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, light.materialSpecular);
  glLightfv(GL_LIGHT0, GL_AMBIENT, light.ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, light.diffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, light.specular);
  if (!light.placed) return;  // GL's own place until the first update
  const GLfloat origin[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  const GLfloat inward[3] = {0.0f, 0.0f, -1.0f};
  glPushMatrix();
  glRotatef(light.yaw, 0.0f, 1.0f, 0.0f);
  glRotatef(light.pitch, 1.0f, 0.0f, 0.0f);
  glTranslatef(0.0f, 0.0f, light.distance);
  glLightfv(GL_LIGHT0, GL_POSITION, origin);
  glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, inward);
  glPopMatrix();
}
}  // namespace

void ApplyView(const Picture& picture) {
  switch (picture.polyMode) {
    case 0: glPolygonMode(GL_FRONT_AND_BACK, GL_FILL); break;
    case 1: glPolygonMode(GL_FRONT_AND_BACK, GL_LINE); break;
    case 2: glPolygonMode(GL_FRONT_AND_BACK, GL_POINT); break;
    default: break;  // leaves the mode in force
  }
  glViewport(0, picture.band.bottom, picture.width, picture.band.height);
  // The projection spans the whole window, so the picture is squeezed into the band.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, picture.width, 0, picture.height, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

bool GlPainter::Open(WindowSystem& window, std::string* error) { return window.Open(error); }

void GlPainter::Start(const Picture& view) {
  Stop();  // a second start-up in one context makes its textures afresh
  ApplyView(view);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
  glMateriali(GL_FRONT_AND_BACK, GL_SHININESS, static_cast<GLint>(kShininess));
  glShadeModel(GL_SMOOTH);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, kSpotExponent);
  glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, kSpotCutoff);
  glEnable(GL_LIGHT0);
  // Without an atlas the holder stays empty and binds a name with no image: white blocks.
  if (Image atlas; LoadFontImage(&atlas)) LoadAtlas(atlas);
  ramp_ = CreateRampTexture(0);
}

bool GlPainter::LoadAtlas(const Image& atlas) { return font_.createFromImage(atlas, nullptr); }

void GlPainter::Reshape(int width, int height) { glViewport(0, 0, width, height); }

void GlPainter::Paint(const Picture& picture) {
  if (picture.light.has_value()) PlaceLight(*picture.light);
  ApplyView(picture);
  if (picture.clear) glClear(GL_COLOR_BUFFER_BIT);
  // Lighting acts on the ripple field only, never on the text.
  if (picture.light.has_value()) glEnable(GL_LIGHTING);
  DrawRippleField(picture);
  if (picture.light.has_value()) glDisable(GL_LIGHTING);
  for (const TextRun& run : picture.text) DrawNow(run);
}

void GlPainter::DrawNow(const TextRun& run) {
  // Set: white, blended, textured with the atlas, no depth writes, filled
  // polygons, and a projection over the whole window even when letterboxed.
  glColor3d(1.0, 1.0, 1.0);
  glEnable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  font_.bind();
  glDepthMask(GL_FALSE);
  glPushAttrib(GL_POLYGON_BIT);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glPushMatrix();
  glPushAttrib(GL_VIEWPORT_BIT);
  glViewport(0, 0, run.windowWidth, run.windowHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, run.windowWidth, 0, run.windowHeight, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  for (const GlyphQuad& q : run.glyphs) {
    glBegin(GL_QUADS);
    glTexCoord2f(q.s0, q.t0);
    glVertex2f(q.left, q.bottom);
    glTexCoord2f(q.s1, q.t0);
    glVertex2f(q.left + q.width, q.bottom);
    glTexCoord2f(q.s1, q.t1);
    glVertex2f(q.left + q.width, q.bottom + q.height);
    glTexCoord2f(q.s0, q.t1);
    glVertex2f(q.left, q.bottom + q.height);
    glEnd();
  }

  // Restore: the modelview, the viewport, polygon mode and depth writes; texturing
  // and blending end off.
  glPopMatrix();
  glPopAttrib();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glPopAttrib();
  glDepthMask(GL_TRUE);
}

void GlPainter::ClearNow() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

void GlPainter::Stop() {
  font_.release();
  if (ramp_ != 0) glDeleteTextures(1, &ramp_);
  ramp_ = 0;
}
