// The fast path against the simple one: the three ways to the screen drawn
// over the same frame, compared pixel for pixel and by the GL state each leaves.
#define GL_GLEXT_PROTOTYPES 1  // framebuffer objects for the multisampled window
#include "painters/gl/FieldDrawing.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "painters/gl/GlPainter.h"
#include "sim/FieldPath.h"
#include "state/Frame.h"
#include "state/Settings.h"
#include "tests/support/GlTest.h"

namespace {

// GL state a way could leave behind, read back; set apart from the defaults first.
std::vector<float> StateAfterTheField() {
  static const GLfloat kSomeArray[8] = {};
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 3);
  glPixelZoom(2.0f, -3.0f);
  glPixelTransferf(GL_RED_SCALE, 0.5f);
  glRasterPos2i(11, 13);
  glVertexPointer(4, GL_FLOAT, 12, kSomeArray);
  glEnable(GL_MULTISAMPLE);
  const Picture picture = ComposePicture(0);
  ApplyView(picture);
  DrawRippleField(picture);
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
  SCOPED_TRACE(testing::Message() << v.width << "x" << v.height << " step " << v.step << " lights "
                                  << v.lights << " letterbox " << v.letterbox
                                  << (v.multisampled ? " multisampled" : ""));
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
    std::generate(noise.begin(), noise.end(), std::mt19937(5));
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
                                         : FieldDrawn::PointArrays);
    states[way] = StateAfterTheField();
    ASSERT_TRUE(pictures[way] == pictures[0]) << "way " << way;
    ASSERT_EQ(states[way], states[0]) << "way " << way;
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
