// The spot light on its orbit, driven by the oscillator bank, as numbers: its
// colours, the scene's ambient and the material's specular colour, and the two
// angles and distance that place it. A painter turns them into GL's light, or
// lights each point with GL 1.1's equation (LightPoint).
#pragma once

// GL's spot shape and the material's shininess, as start-up sets them.
constexpr float kSpotExponent = 30.0f;
constexpr float kSpotCutoff = 30.0f;  // degrees
constexpr float kShininess = 30.0f;

// Light 0, the one light the program has; colours are RGBA. Until the first
// update it is GL's default light: no ambient, white, not placed (shining along -z).
struct SpotLight {
  float sceneAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
  float materialSpecular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  float ambient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  float diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  float specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  bool placed = false;
  float yaw = 0.0f;    // degrees about y, turned last
  float pitch = 0.0f;  // degrees about x, tilted first
  float distance = 0.0f;
};
extern SpotLight spotLight;

// Global ambient and material specular; count 0 leaves everything as it was.
void SetupAmbientLight(int count, float ambient, float specular);
// The light's colours, the scene's ambient after it, and its place on the orbit at
// `distance` from the origin; count above 1 tints it by its channels, as a rig of
// several would; count 0 changes nothing.
void UpdateSpotLights(int count, float ambientLevel, float diffuseLevel, float specularLevel,
                      float brightness, float distance);

// GL 1.1's colour for a point at (x, y, 0) facing +z, its ambient and diffuse
// material `rgb` (colour material), lit by `light` as seen by a local viewer at the
// origin: the scene's ambient, then the light's terms through its spot, clamped.
void LightPoint(const SpotLight& light, float x, float y, const float rgb[3], float lit[3]);
