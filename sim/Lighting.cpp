// Light i reads oscillator channels 50 + 5i .. 54 + 5i: three tints, two orbit angles.
#include "sim/Lighting.h"

#include <GL/gl.h>

#include "sim/Oscillators.h"

namespace {
constexpr GLenum kLights[kMaxLights] = {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2, GL_LIGHT3,
                                        GL_LIGHT4, GL_LIGHT5, GL_LIGHT6, GL_LIGHT7};
}

void SetupAmbientLight(int count, float ambient, float specular) {
  if (count == 0) return;
  const GLfloat ambientColor[4] = {ambient, ambient, ambient, 1.0f};
  const GLfloat specularColor[4] = {specular, specular, specular, 1.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambientColor);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specularColor);
  for (int i = 0; i < count; ++i) {
    glLightf(kLights[i], GL_SPOT_EXPONENT, 30.0f);
    glLightf(kLights[i], GL_SPOT_CUTOFF, 30.0f);
    glEnable(kLights[i]);
  }
}

void UpdateSpotLights(int count, float ambientLevel, float diffuseLevel, float specularLevel,
                      float brightness, float distance) {
  if (count == 0) return;
  for (int i = 0; i < count; ++i) {
    const int base = 50 + 5 * i;
    GLfloat ambient[4] = {0, 0, 0, 1.0f};
    GLfloat diffuse[4] = {0, 0, 0, 1.0f};
    GLfloat specular[4] = {0, 0, 0, 1.0f};
    for (int c = 0; c < 3; ++c) {
      // A single light stays plain grey; several are tinted by their channels.
      if (count == 1) {
        ambient[c] = ambientLevel * brightness;
        diffuse[c] = diffuseLevel * brightness;
        specular[c] = specularLevel * brightness;
      } else {
        const double tint = Oscillate(base + c, 30, 0.5, 0.5);
        ambient[c] = static_cast<GLfloat>(tint * ambientLevel * brightness);
        diffuse[c] = static_cast<GLfloat>(tint * diffuseLevel * brightness);
        specular[c] = static_cast<GLfloat>(tint * specularLevel * brightness);
      }
    }
    if (i == 0) glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glLightfv(kLights[i], GL_AMBIENT, ambient);
    glLightfv(kLights[i], GL_DIFFUSE, diffuse);
    glLightfv(kLights[i], GL_SPECULAR, specular);
    const GLfloat origin[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    const GLfloat inward[3] = {0.0f, 0.0f, -1.0f};
    glPushMatrix();
    glRotatef(static_cast<GLfloat>(Oscillate(base + 3, 5, 720, 0)), 0.0f, 1.0f, 0.0f);
    glRotatef(static_cast<GLfloat>(Oscillate(base + 4, 5, 720, 0)), 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, distance);
    glLightfv(kLights[i], GL_POSITION, origin);
    glLightfv(kLights[i], GL_SPOT_DIRECTION, inward);
    glPopMatrix();
  }
}
