// The field's own program: the reference's arithmetic for a grid point in GLSL,
// built for one scheme, ripple count and light at a time, and the frame's values
// it takes, rounded once to single precision.
#include "painters/webgl/FieldProgram.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <string>

#include "painters/webgl/Programs.h"

namespace {

// The reference's arithmetic for a grid point, then GL 1.1's lighting of it while the
// spot light is on (sim/Lighting's LightPoint). Built for one scheme, ripple count and
// lighting at a time (SCHEME, RIPPLES, LIT), so no point runs a branch it does not take.
constexpr const char* kField = R"(
// Per ripple its centre scaled as the distances are, its frequency and its phase;
// a pixel's scaled place is the pixel times uScaled.
uniform vec4 uRipples[RIPPLES];
uniform vec2 uScaled;
uniform float uFade;
uniform vec3 uLow, uMiddle, uHigh;  // scheme 7's three colours
uniform bool uPlaced;
uniform vec3 uPlace, uAim, uSceneAmbient, uAmbient, uDiffuse, uShine;
uniform float uCutoff;  // the cosine of the spot's cut-off

// Written out ripple by ripple: some WebGLs run a loop as one, uniforms looked up each time.
#define RIPPLE(r) { \
    vec2 d = at - uRipples[r].xy; \
    sum += sin(sqrt(dot(d, d)) * uRipples[r].z + uRipples[r].w) * 0.5 + 0.5; }
float Value(vec2 at) {
  float sum = 0.0;
  RIPPLE(0)
#if RIPPLES > 1
  RIPPLE(1)
#endif
#if RIPPLES > 2
  RIPPLE(2)
#endif
#if RIPPLES > 3
  RIPPLE(3)
#endif
#if RIPPLES > 4
  RIPPLE(4)
#endif
#if RIPPLES > 5
  RIPPLE(5)
#endif
#if RIPPLES > 6
  RIPPLE(6)
#endif
#if RIPPLES > 7
  RIPPLE(7)
#endif
  return clamp(sum / float(RIPPLES), 0.0, 1.0);
}

vec3 Colour(float v) {
  float d = abs(v - 0.5);
#if SCHEME == 0
  float blue = sqrt(2.0 * d);
  return vec3(0.0, v > 0.5 ? blue * 0.25 : 0.0, blue);
#elif SCHEME == 1
  return vec3(0.0, 0.0, 1.0 - sqrt(2.0 * d));
#elif SCHEME == 2
  return vec3(sqrt(sqrt(d * (v > 0.5 ? 0.5 : 0.35))), 0.0, 0.0);
#elif SCHEME == 3
  float red = v < 0.5 ? 0.0 : sqrt(2.0 * (v - 0.5));
  return vec3(red, v < 0.5 ? sqrt(1.0 - 2.0 * v) : red, 0.0);
#elif SCHEME == 4
  float red = v < 0.5 ? sqrt(1.0 - 2.0 * v) : sqrt(2.0 * (v - 0.5));
  return vec3(red, red, v < 0.5 ? red : 0.0);
#elif SCHEME == 5
  return vec3(2.0 * d, 2.0 * d, 1.0);
#elif SCHEME == 6
  return vec3(0.0, 0.0, 2.0 * d);
#elif SCHEME == 7
  float low = (1.0 - v) * 2.0 - 1.0;
  return uLow * max(low, 0.0) + uMiddle * (1.0 - 2.0 * d) + uHigh * (1.0 - low);
#else
  return vec3(0.0);
#endif
}

vec3 Unit(vec3 v) {
  float size = sqrt(dot(v, v));
  return size == 0.0 ? v : v / size;
}

vec3 Lit(vec3 rgb, vec3 point) {
  vec3 toLight = vec3(0.0, 0.0, 1.0);
  float spot = 1.0;
  if (uPlaced) {
    toLight = Unit(uPlace - point);
    float c = dot(-toLight, uAim);
    spot = c >= uCutoff ? pow(max(c, 0.0), 30.0) : 0.0;
  }
  vec3 halfway = Unit(toLight + Unit(-point));
  float shine = toLight.z != 0.0 ? pow(max(halfway.z, 0.0), 30.0) : 0.0;
  vec3 own = uAmbient * rgb + max(toLight.z, 0.0) * uDiffuse * rgb + shine * uShine;
  return clamp(uSceneAmbient * rgb + spot * own, 0.0, 1.0);
}

uniform float uStep;
vec3 PointColour(vec2 point) {
  vec2 pixel = point * uStep;
  vec3 rgb = Colour(Value(pixel * uScaled)) * uFade;
#if LIT
  rgb = Lit(rgb, vec3(pixel, 0.0));
#endif
  return rgb;
}
)";

// Each fragment works its own grid point out: a pixel of the window at step 1, else a
// texel of the grid's texture.
constexpr const char* kFieldFragment = R"(
void main() { gl_FragColor = vec4(PointColour(GridPoint()), 1.0); })";

}  // namespace

GLuint LinkFieldProgram(int scheme, int ripples, bool lit) {
  const std::string defines = "#define SCHEME " + std::to_string(scheme) + "\n#define RIPPLES " +
                              std::to_string(ripples) + "\n#define LIT " + (lit ? "1" : "0") + "\n";
  return Link({defines.c_str(), kGridPoint, kField, kFieldFragment});
}

// Single precision from here on: the slots are the bank's values, each between -2
// and 2 however long the page has run, rounded once.
void SetFieldUniforms(GLuint program, const Picture& picture) {
  const FieldFrame& frame = picture.field;
  const int ripples = std::clamp(frame.rippleCount, 1, kMaxRipples);
  // The scales folded into the centres and the pixels' reciprocals, in double.
  const double across = frame.rippleScale, up = frame.rippleScale * frame.verticalFactor;
  float slots[4 * kMaxRipples] = {};
  for (int r = 0; r < ripples; ++r) {
    const double* slot = frame.slot + static_cast<ptrdiff_t>(4) * r;
    const double values[4] = {slot[0] * across, slot[1] * up, slot[2], slot[3]};
    for (int i = 0; i < 4; ++i) slots[4 * r + i] = static_cast<float>(values[i]);
  }
  glUniform4fv(Uniform(program, "uRipples"), ripples, slots);
  glUniform2f(Uniform(program, "uScaled"), static_cast<float>(frame.invWidth * across),
              static_cast<float>(frame.invHeight * up));
  glUniform1f(Uniform(program, "uFade"), frame.fadeLevel);
  glUniform1f(Uniform(program, "uStep"), static_cast<float>(frame.step));
  const double* c = frame.schemeColor;
  const char* weights[3] = {"uLow", "uMiddle", "uHigh"};
  for (int k = 0; k < 3; ++k) {
    glUniform3f(Uniform(program, weights[k]), static_cast<float>(c[k]),
                static_cast<float>(c[3 + k]), static_cast<float>(c[6 + k]));
  }
  if (!picture.light.has_value()) return;
  // Where GL keeps the light and where it aims, as sim/Lighting places them.
  const SpotLight& light = *picture.light;
  constexpr float kRadians = std::numbers::pi_v<float> / 180.0f;
  const float yaw = light.yaw * kRadians, pitch = light.pitch * kRadians;
  const float place[3] = {light.distance * std::cos(pitch) * std::sin(yaw),
                          -light.distance * std::sin(pitch),
                          light.distance * std::cos(pitch) * std::cos(yaw)};
  const float length = std::sqrt(place[0] * place[0] + place[1] * place[1] + place[2] * place[2]);
  const float aim = length == 0.0f ? 0.0f : -1.0f / length;
  glUniform1i(Uniform(program, "uPlaced"), light.placed ? 1 : 0);
  glUniform3fv(Uniform(program, "uPlace"), 1, place);
  glUniform3f(Uniform(program, "uAim"), place[0] * aim, place[1] * aim, place[2] * aim);
  glUniform1f(Uniform(program, "uCutoff"), std::cos(kSpotCutoff * kRadians));
  glUniform3fv(Uniform(program, "uSceneAmbient"), 1, light.sceneAmbient);
  glUniform3fv(Uniform(program, "uAmbient"), 1, light.ambient);
  glUniform3fv(Uniform(program, "uDiffuse"), 1, light.diffuse);
  glUniform3f(Uniform(program, "uShine"), light.specular[0] * light.materialSpecular[0],
              light.specular[1] * light.materialSpecular[1],
              light.specular[2] * light.materialSpecular[2]);
}
