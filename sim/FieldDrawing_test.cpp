// The fast path against the simple one: every vector kernel against
// EvaluatePoint, and the three ways to the screen drawn over the same frame,
// compared pixel for pixel and by the GL state each leaves behind.
#define GL_GLEXT_PROTOTYPES 1  // framebuffer objects for the multisampled window
#include "sim/FieldDrawing.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "app/FrameDriver.h"
#include "shared/Frame.h"
#include "shared/Settings.h"
#include "sim/RippleField.h"
#include "tests/support/GlTest.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Sizes leave every kernel a part vector at the end of a row; the extremes are
// held keys (frequency 1e12, FLT_MAX, infinity), a phase or a ripple frequency
// that is not a number, and infinite frequency at a ripple centred on a point.
const struct {
  uint32_t width, height, step;
  int ripples;
  double frequency, special;  // special goes into ripple 0's `slot` when not 0
  int slot;
} kScenes[] = {
    {203, 77, 1, 4, 1.0, 0, 0},    {203, 77, 1, 8, 1.0, 0, 0},   {61, 47, 20, 1, 1.0, 0, 0},
    {17, 9, 2, 3, 0.0, 0, 0},      {45, 31, 7, 3, -2.5, 0, 0},   {64, 40, 1, 4, 1e12, 0, 0},
    {64, 40, 1, 4, FLT_MAX, 0, 0}, {64, 40, 1, 4, kInf, 0, 0},   {37, 11, 1, 2, 1, NAN, 3},
    {37, 11, 1, 1, 1.0, kInf, 2},  {1, 1, 1, 2, 1.0, 1e-300, 2}, {1920, 1080, 1, 4, 1.0, 0, 0},
};

std::vector<float> Evaluate(const FieldFrame& frame, FieldEvaluation evaluation, int threads) {
  std::vector<float> rgb(3 * size_t{GridColumns(frame)} * GridRows(frame), -7.0f);
  FieldRows rows;
  rows.columns = GridColumns(frame);
  rows.rgb = rgb.data();
  EvaluateField(frame, rows, evaluation, threads);
  return rgb;
}

TEST(FieldKernels, EveryKernelColoursEveryPointAsTheReferenceDoes) {
  for (const FieldEvaluation kernel :
       {FieldEvaluation::Sse2, FieldEvaluation::Avx2, FieldEvaluation::Avx512}) {
    if (!EvaluationSupported(kernel)) continue;
    for (unsigned s = 0; s < std::size(kScenes); ++s) {
      for (int scheme = s + 1 == std::size(kScenes) ? 7 : -1; scheme <= 8; ++scheme) {
        const auto& scene = kScenes[s];
        std::mt19937 random(s * 16 + scheme + 1);
        std::uniform_real_distribution<double> slot(-2.0, 2.0), unit(0.0, 1.2);
        FieldFrame frame{scene.width, scene.height, scene.step, scene.ripples, scheme};
        frame.rippleScale = (4.0 + 14.0 * unit(random)) * scene.frequency;
        frame.invWidth = 1.0 / scene.width;
        frame.invHeight = 1.0 / scene.height;
        frame.verticalFactor = scheme % 3 == 0 ? 1.0 / 2.2 : 1.0;
        frame.fadeLevel = scheme % 4 == 0 ? 0.37f : 1.0f;
        for (double& v : frame.slot) v = slot(random);
        for (double& c : frame.schemeColor) c = unit(random);  // scheme 7 may pass 1
        if (scene.slot == 2) frame.slot[0] = frame.slot[1] = 0.0;
        if (scene.special != 0.0) frame.slot[scene.slot] = scene.special;
        const std::vector<float> got = Evaluate(frame, kernel, 1 + (scheme + 1) % 3);
        const std::vector<float> want = Evaluate(frame, FieldEvaluation::Reference, 1);
        // Bit for bit in all but one in 10000 components; those within a level (NaN never).
        size_t unequal = 0, far = 0;
        for (size_t k = 0; k < want.size(); ++k) {
          unequal += std::bit_cast<uint32_t>(got[k]) != std::bit_cast<uint32_t>(want[k]);
          far += !(std::fabs(double{got[k]} - double{want[k]}) <= 1.0 / 255);
        }
        EXPECT_EQ(far, 0u) << "kernel " << static_cast<int>(kernel) << ", scene " << s
                           << ", scheme " << scheme;
        EXPECT_LE(unequal * 10000, want.size()) << unequal << " differ, scene " << s;
      }
    }
  }
}

// GL state a way could leave behind, read back; set apart from the defaults first.
std::vector<float> StateAfterTheField() {
  static const GLfloat kSomeArray[8] = {};
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 3);
  glPixelZoom(2.0f, -3.0f);
  glPixelTransferf(GL_RED_SCALE, 0.5f);
  glRasterPos2i(11, 13);
  glVertexPointer(4, GL_FLOAT, 12, kSomeArray);
  glEnable(GL_MULTISAMPLE);
  ApplyView();
  DrawRippleField();
  std::vector<float> state;
  GLfloat v[4] = {};
  for (const GLenum name :
       {GL_POINT_SIZE, GL_CURRENT_COLOR, GL_CURRENT_RASTER_POSITION, GL_CURRENT_RASTER_COLOR,
        GL_ZOOM_X, GL_RED_SCALE, GL_UNPACK_ALIGNMENT, GL_UNPACK_ROW_LENGTH, GL_VERTEX_ARRAY,
        GL_COLOR_ARRAY, GL_VERTEX_ARRAY_SIZE, GL_MULTISAMPLE, GL_ATTRIB_STACK_DEPTH,
        GL_CLIENT_ATTRIB_STACK_DEPTH}) {
    glGetFloatv(name, v);
    state.insert(state.end(), v, v + 4);
  }
  glGetMaterialfv(GL_FRONT, GL_DIFFUSE, v);
  state.insert(state.end(), {v[0], v[1], v[2], static_cast<float>(glGetError())});
  glPixelTransferf(GL_RED_SCALE, 1.0f);
  return state;
}

struct View {
  int width, height, step, clear, lights, letterbox;
  float fade;
  bool multisampled;
};

// The simple way's picture and state; the other ways must give both, the
// pixel rectangle taken exactly where the view allows it.
void ExpectOnePicture(const View& v) {
  const std::string what = std::to_string(v.width) + "x" + std::to_string(v.height) + " step " +
                           std::to_string(v.step) + " lights " + std::to_string(v.lights) +
                           " letterbox " + std::to_string(v.letterbox) +
                           (v.multisampled ? " multisampled" : "");
  std::vector<uint8_t> pictures[3];
  std::vector<float> states[3];
  for (int way = 0; way < 3; ++way) {
    StartProgram(v.width, v.height);
    DisplayAt(2000);  // the first frame's long step is spent; the bank stays still
    paused = 1;
    settings.frequency = 3.0f;
    settings.tesselation = v.step;
    settings.clearEachFrame = v.clear;
    settings.spotlights = v.lights;
    settings.letterbox = v.letterbox;
    settings.colorOption = v.step % 8;
    fadeLevel = v.fade;
    fieldPath.drawing = static_cast<FieldDrawing>(way);
    GLint window = 0;
    GLuint samples[2] = {}, framebuffer = 0;  // four samples a pixel, as GLUT's window has
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &window);
    if (v.multisampled) {
      glGenRenderbuffers(2, samples);
      glGenFramebuffers(1, &framebuffer);
      glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
      for (int k = 0; k < 2; ++k) {
        glBindRenderbuffer(GL_RENDERBUFFER, samples[k]);
        glRenderbufferStorageMultisample(
            GL_RENDERBUFFER, 4, k == 0 ? GL_RGBA8 : GL_DEPTH_COMPONENT24, v.width, v.height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER,
                                  k == 0 ? GL_COLOR_ATTACHMENT0 : GL_DEPTH_ATTACHMENT,
                                  GL_RENDERBUFFER, samples[k]);
      }
    }
    // Over what earlier frames left: a fixed noise.
    std::vector<uint32_t> noise(static_cast<size_t>(v.width) * v.height);
    std::mt19937 random(5);
    for (uint32_t& p : noise) p = random();
    glWindowPos2i(0, 0);
    glDrawPixels(v.width, v.height, GL_RGBA, GL_UNSIGNED_BYTE, noise.data());
    DisplayAt(2000);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(window));
    glBlitFramebuffer(0, 0, v.width, v.height, 0, 0, v.width, v.height, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(window));
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteRenderbuffers(2, samples);
    pictures[way] = Pixels();
    const bool rectangle = v.lights == 0 && v.letterbox == 0 && way == 2;
    EXPECT_EQ(lastFieldDrawn, rectangle  ? FieldDrawn::PixelRectangle
                              : way == 0 ? FieldDrawn::SimplePoints
                                         : FieldDrawn::PointArrays)
        << what;
    states[way] = StateAfterTheField();
    ASSERT_TRUE(pictures[way] == pictures[0]) << what << ", way " << way;
    ASSERT_EQ(states[way], states[0]) << what << ", way " << way;
  }
}

TEST(FieldDrawing, EveryWayGivesTheSimpleWaysPictureAndState) {
  for (int step = 1; step <= 20; ++step) {
    ExpectOnePicture({97, 61, step, 1, 0, 0, 1.0f, false});
    ExpectOnePicture({64, 47, step, 0, 0, 0, 0.6f, false});
    ExpectOnePicture({7, 5, step, step % 2, 0, 0, 1.0f, false});
    ExpectOnePicture({97, 61, step, step % 2, step % 2, 6 * (1 - step % 2), 0.5f, false});
    ExpectOnePicture({64, 47, step, 1, 0, 0, 0.7f, true});
  }
  for (const int step : {1, 6}) ExpectOnePicture({1920, 1080, step, 1, 0, 0, 1.0f, false});
}

}  // namespace
