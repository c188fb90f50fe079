// The light rig's colours and placement, asked back from GL.
#include "sim/Lighting.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "sim/Oscillators.h"
#include "tests/support/GlTest.h"

namespace {

std::array<GLfloat, 4> Light(GLenum light, GLenum what) {
  std::array<GLfloat, 4> value{};
  glGetLightfv(light, what, value.data());
  return value;
}

TEST(Lighting, CountZeroChangesNothing) {
  TestWindow();
  SetupAmbientLight(1, 0.25f, 0.5f);
  SetupAmbientLight(0, 0.9f, 0.9f);
  UpdateSpotLights(0, 1, 1, 1, 1, 5);
  std::array<GLfloat, 4> ambient{};
  glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient.data());
  EXPECT_EQ(ambient, (std::array<GLfloat, 4>{0.25f, 0.25f, 0.25f, 1.0f}));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
  EXPECT_EQ(Light(GL_LIGHT0, GL_POSITION), (std::array<GLfloat, 4>{0, 0, 1, 0}));  // GL's default
}

TEST(Lighting, TwoLightsAreTintedByTheirChannels) {
  TestWindow();
  SetupAmbientLight(2, 0.5f, 0.9f);
  EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
  for (int n = 50; n < 60; ++n) oscillatorBank.phase[n] = 0.01 * n;
  UpdateSpotLights(2, 0.5f, 0.75f, 0.9f, 0.5f, 9.8f);
  for (int light = 0; light < 2; ++light) {
    const GLenum name = GL_LIGHT0 + light;
    for (int c = 0; c < 3; ++c) {
      const double tint = Oscillate(50 + 5 * light + c, 30, 0.5, 0.5);
      EXPECT_FLOAT_EQ(Light(name, GL_DIFFUSE)[c], static_cast<float>(tint * 0.75f * 0.5f));
      EXPECT_FLOAT_EQ(Light(name, GL_SPECULAR)[c], static_cast<float>(tint * 0.9f * 0.5f));
    }
  }
  // The scene's ambient follows light 0's tinted ambient.
  std::array<GLfloat, 4> ambient{};
  glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient.data());
  EXPECT_EQ(ambient, Light(GL_LIGHT0, GL_AMBIENT));
}

TEST(Lighting, WholeTurnsPutTheLightWhereNoTurnDoes) {
  TestWindow();
  SetupAmbientLight(1, 0.5f, 0.6f);
  // Oscillate(n, 5, 720, 0) is 0 at sin(5 phase) = -1 and 360 at sin(5 phase) = 0.
  const struct {
    double phase53, phase54;
  } cases[] = {{-M_PI / 10, -M_PI / 10}, {0.0, 0.0}, {0.0, -M_PI / 10}, {M_PI / 10, M_PI / 10}};
  for (const auto& c : cases) {
    oscillatorBank.phase[53] = c.phase53;
    oscillatorBank.phase[54] = c.phase54;
    UpdateSpotLights(1, 0.5f, 0.75f, 0.9f, 1.0f, 9.8f);
    const auto position = Light(GL_LIGHT0, GL_POSITION);
    EXPECT_NEAR(position[0], 0, 1e-4);
    EXPECT_NEAR(position[1], 0, 1e-4);
    EXPECT_NEAR(position[2], 9.8, 1e-4);
    GLfloat direction[3];
    glGetLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, direction);
    EXPECT_NEAR(direction[2], -1, 1e-5);
  }
  // The rig leaves the modelview matrix as it found it.
  GLfloat modelview[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  EXPECT_EQ(modelview[12], 0.0f);
  EXPECT_EQ(modelview[0], 1.0f);
}

}  // namespace
