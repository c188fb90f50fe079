// Light 0 reads oscillator channels 50 .. 54: three tints, two orbit angles.
#include "sim/Lighting.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sim/Oscillators.h"

SpotLight spotLight;

void SetupAmbientLight(int count, float ambient, float specular) {
  if (count == 0) return;
  for (int c = 0; c < 3; ++c) {
    spotLight.sceneAmbient[c] = ambient;
    spotLight.materialSpecular[c] = specular;
  }
}

void UpdateSpotLights(int count, float ambientLevel, float diffuseLevel, float specularLevel,
                      float brightness, float distance) {
  if (count == 0) return;
  constexpr int base = 50;
  for (int c = 0; c < 3; ++c) {
    // A single light stays plain grey; one of several is tinted by its channels.
    if (count == 1) {
      spotLight.ambient[c] = ambientLevel * brightness;
      spotLight.diffuse[c] = diffuseLevel * brightness;
      spotLight.specular[c] = specularLevel * brightness;
    } else {
      const double tint = Oscillate(base + c, 30, 0.5, 0.5);
      spotLight.ambient[c] = static_cast<float>(tint * ambientLevel * brightness);
      spotLight.diffuse[c] = static_cast<float>(tint * diffuseLevel * brightness);
      spotLight.specular[c] = static_cast<float>(tint * specularLevel * brightness);
    }
    spotLight.sceneAmbient[c] = spotLight.ambient[c];
  }
  spotLight.placed = true;
  spotLight.yaw = static_cast<float>(Oscillate(base + 3, 5, 720, 0));
  spotLight.pitch = static_cast<float>(Oscillate(base + 4, 5, 720, 0));
  spotLight.distance = distance;
}

namespace {
float Dot(const float a[3], const float b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void Normalise(float v[3]) {
  const float length = std::sqrt(Dot(v, v));
  if (length == 0.0f) return;
  for (int i = 0; i < 3; ++i) v[i] /= length;
}
}  // namespace

void LightPoint(const SpotLight& light, float x, float y, const float rgb[3], float lit[3]) {
  // Where GL keeps the light: (0, 0, d) tilted about x, then turned about y; it
  // shines back at the origin. Unplaced, it is GL's default light from +z, far away.
  float toLight[3] = {0.0f, 0.0f, 1.0f};
  float spot = 1.0f;
  const float n[3] = {0.0f, 0.0f, 1.0f};
  const float point[3] = {x, y, 0.0f};
  if (light.placed) {
    constexpr float kRadians = std::numbers::pi_v<float> / 180.0f;
    const float yaw = light.yaw * kRadians, pitch = light.pitch * kRadians;
    const float place[3] = {light.distance * std::cos(pitch) * std::sin(yaw),
                            -light.distance * std::sin(pitch),
                            light.distance * std::cos(pitch) * std::cos(yaw)};
    float aim[3] = {-place[0], -place[1], -place[2]};
    Normalise(aim);
    for (int i = 0; i < 3; ++i) toLight[i] = place[i] - point[i];
    Normalise(toLight);
    const float away[3] = {-toLight[0], -toLight[1], -toLight[2]};
    const float c = Dot(away, aim);
    spot =
        c >= std::cos(kSpotCutoff * kRadians) ? std::pow(std::max(c, 0.0f), kSpotExponent) : 0.0f;
  }
  float toEye[3] = {-point[0], -point[1], -point[2]};
  Normalise(toEye);
  const float facing = Dot(n, toLight);
  float half[3] = {toLight[0] + toEye[0], toLight[1] + toEye[1], toLight[2] + toEye[2]};
  Normalise(half);
  const float shine = facing != 0.0f ? std::pow(std::max(Dot(n, half), 0.0f), kShininess) : 0.0f;
  for (int c = 0; c < 3; ++c) {
    const float own = light.ambient[c] * rgb[c] +
                      std::max(facing, 0.0f) * light.diffuse[c] * rgb[c] +
                      shine * light.specular[c] * light.materialSpecular[c];
    lit[c] = std::clamp(light.sceneAmbient[c] * rgb[c] + spot * own, 0.0f, 1.0f);
  }
}
