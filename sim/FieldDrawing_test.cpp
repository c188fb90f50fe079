// The three ways to the screen drawn over the same frame on the offscreen
// window and compared pixel for pixel: immediate points (the simple way),
// point arrays and the zoomed pixel rectangle, with the frame driver around
// them; and the GL state each leaves behind.
#define GL_GLEXT_PROTOTYPES 1  // glWindowPos, to paint the window from its corner
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/Clock.h"
#include "app/FrameDriver.h"
#include "app/Settings.h"
#include "app/Shell.h"
#include "sim/Oscillators.h"
#include "sim/RippleField.h"
#include "tests/support/GlTest.h"

namespace {

constexpr uint32_t kFrameMs = 2000;  // 2.0 s: a float, so a repeated frame has a delta of 0

void StartUp(int width, int height) {
  TestWindow().Resize(width, height);
  ReshapeHandler(width, height);
  PreInit();
  Init();
  settings.frequency = 3.0f;  // more rings in a small window
  paused = 1;                 // the same frame again and again
  elapsedMs = kFrameMs;
  RenderFrame();  // the first frame's long delta is spent here
}

void Resize(int width, int height) {
  TestWindow().Resize(width, height);
  ReshapeHandler(width, height);
}

std::vector<uint8_t> ReadRgba() {
  const int w = TestWindow().WindowWidth(), h = TestWindow().WindowHeight();
  std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  return rgba;
}

// What earlier frames left behind: a fixed noise over the whole window.
void Scribble() {
  const int w = TestWindow().WindowWidth(), h = TestWindow().WindowHeight();
  std::vector<uint32_t> noise(static_cast<size_t>(w) * h);
  std::mt19937 random(5);
  for (uint32_t& p : noise) p = random();
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glViewport(0, 0, w, h);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glPixelZoom(1.0f, 1.0f);
  glWindowPos2i(0, 0);
  glDrawPixels(w, h, GL_RGBA, GL_UNSIGNED_BYTE, noise.data());
  glPopAttrib();
}

struct Drawn {
  std::vector<uint8_t> rgba;
  FieldDrawn how;
};

Drawn FrameBy(const FieldPath& path) {
  fieldPath = path;
  Scribble();
  elapsedMs = kFrameMs;
  RenderFrame();
  return {ReadRgba(), lastFieldDrawn};
}

// The first pixel where two pictures differ, or "" when none does.
std::string FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  if (a.size() != b.size()) return "sizes differ";
  const int w = TestWindow().WindowWidth();
  for (size_t k = 0; k < a.size(); ++k) {
    if (a[k] == b[k]) continue;
    const size_t pixel = k / 4;
    return "pixel " + std::to_string(pixel % w) + "," + std::to_string(pixel / w) + " channel " +
           std::to_string(k % 4) + ": " + std::to_string(a[k]) + " against " + std::to_string(b[k]);
  }
  return "";
}

const FieldPath kPointArrays{FieldEvaluation::Fastest, FieldDrawing::PointArrays, 0};
const FieldPath kFastest{};

// Draws the frame all three ways; the pixel rectangle must be taken when
// `rectangle` and the point arrays otherwise, and all must agree.
void ExpectOnePicture(bool rectangle, const std::string& what) {
  const Drawn simple = FrameBy(kSimpleFieldPath);
  const Drawn arrays = FrameBy(kPointArrays);
  const Drawn fastest = FrameBy(kFastest);
  ASSERT_EQ(simple.how, FieldDrawn::ImmediatePoints);
  ASSERT_EQ(arrays.how, FieldDrawn::PointArrays);
  ASSERT_EQ(fastest.how, rectangle ? FieldDrawn::PixelRectangle : FieldDrawn::PointArrays) << what;
  ASSERT_EQ(FirstDifference(arrays.rgba, simple.rgba), "") << what << ", point arrays";
  ASSERT_EQ(FirstDifference(fastest.rgba, simple.rgba), "") << what << ", fastest";
}

struct Size {
  int width, height;
};
// Primes are off every step; 64 is on the even ones; 7x5 is less than one cell.
const Size kSizes[] = {{97, 61}, {64, 47}, {7, 5}};

// Every step, size, clearing, polygon mode and the fade, for a group of steps.
void EveryCombination(int firstStep, int lastStep) {
  StartUp(97, 61);
  for (int step = firstStep; step <= lastStep; ++step) {
    for (const Size& size : kSizes) {
      Resize(size.width, size.height);
      for (int clear = 0; clear < 2; ++clear) {
        for (int polyMode = 0; polyMode < 3; ++polyMode) {
          for (float fade : {1.0f, 0.6f}) {
            settings.tesselation = step;
            settings.colorOption = (step + polyMode) % 8;
            settings.clearEachFrame = clear;
            settings.polyMode = polyMode;
            fadeLevel = fade;
            ExpectOnePicture(true, "step " + std::to_string(step) + ", " +
                                       std::to_string(size.width) + "x" +
                                       std::to_string(size.height) + ", clear " +
                                       std::to_string(clear) + ", polygon mode " +
                                       std::to_string(polyMode) + ", fade " + std::to_string(fade));
          }
        }
      }
    }
  }
}

TEST(FieldDrawing, StepsOneToFiveGiveOnePictureEveryWay) { EveryCombination(1, 5); }
TEST(FieldDrawing, StepsSixToTwelveGiveOnePictureEveryWay) { EveryCombination(6, 12); }
TEST(FieldDrawing, StepsThirteenToTwentyGiveOnePictureEveryWay) { EveryCombination(13, 20); }

TEST(FieldDrawing, LightsAndLetterboxDrawPointsAndStillAgree) {
  StartUp(97, 61);
  const struct { int spotlights, letterbox; } cases[] = {{1, 0}, {0, 3}, {1, 6}};
  for (const auto& c : cases) {
    for (int step = 1; step <= 20; ++step) {
      settings.tesselation = step;
      settings.spotlights = c.spotlights;
      settings.letterbox = c.letterbox;
      settings.clearEachFrame = step % 2;
      settings.colorOption = step % 8;
      fadeLevel = step % 3 == 0 ? 0.5f : 1.0f;
      ExpectOnePicture(false, "step " + std::to_string(step) + ", lights " +
                                  std::to_string(c.spotlights) + ", letterbox " +
                                  std::to_string(c.letterbox));
    }
  }
}

TEST(FieldDrawing, StateThatCouldChangeThePictureKeepsThePoints) {
  StartUp(97, 61);
  settings.tesselation = 5;
  // Each of these makes a point and a pixel rectangle differ, or might.
  const struct {
    const char* name;
    void (*set)();
    void (*unset)();
  } cases[] = {
      {"blending", [] { glEnable(GL_BLEND); }, [] { glDisable(GL_BLEND); }},
      {"texturing", [] { glEnable(GL_TEXTURE_2D); }, [] { glDisable(GL_TEXTURE_2D); }},
      {"fog", [] { glEnable(GL_FOG); }, [] { glDisable(GL_FOG); }},
      {"smooth points", [] { glEnable(GL_POINT_SMOOTH); }, [] { glDisable(GL_POINT_SMOOTH); }},
      {"a step of 0", [] { settings.tesselation = 0; }, [] { settings.tesselation = 5; }},
  };
  for (const auto& c : cases) {
    c.set();
    fieldPath = kFastest;
    ApplyView();
    DrawRippleField();
    EXPECT_EQ(lastFieldDrawn, FieldDrawn::PointArrays) << c.name;
    c.unset();
  }
  ApplyView();
  DrawRippleField();
  EXPECT_EQ(lastFieldDrawn, FieldDrawn::PixelRectangle);
  // A view other than the pixel-space one of the frame driver.
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(0.5f, 0.0f, 0.0f);
  DrawRippleField();
  EXPECT_EQ(lastFieldDrawn, FieldDrawn::PointArrays);
}

// A window with four samples a pixel, as GLUT gives the program under Xvfb:
// the pictures are compared after the samples are resolved.
class Multisampled {
 public:
  explicit Multisampled(int width, int height) : width_(width), height_(height) {
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &window_);
    glGenRenderbuffers(2, buffers_);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers_[0]);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, 4, GL_RGBA8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers_[1]);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, 4, GL_DEPTH_COMPONENT24, width, height);
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers_[0]);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, buffers_[1]);
  }
  ~Multisampled() {
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(window_));
    glDeleteFramebuffers(1, &framebuffer_);
    glDeleteRenderbuffers(2, buffers_);
  }
  bool Complete() const {
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  }
  // Resolves into the window and reads it, then draws multisampled again.
  std::vector<uint8_t> Resolved() const {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(window_));
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(window_));
    std::vector<uint8_t> rgba = ReadRgba();
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    return rgba;
  }

 private:
  int width_, height_;
  GLint window_ = 0;
  GLuint framebuffer_ = 0;
  GLuint buffers_[2] = {};
};

TEST(FieldDrawing, MultisampledWindowsGetWholeSquarePoints) {
  StartUp(97, 61);
  for (const Size& size : {Size{97, 61}, Size{64, 47}}) {
    Resize(size.width, size.height);
    for (int step = 1; step <= 20; ++step) {
      for (int clear = 0; clear < 2; ++clear) {
        settings.tesselation = step;
        settings.clearEachFrame = clear;
        settings.colorOption = step % 8;
        fadeLevel = clear == 0 ? 1.0f : 0.7f;
        const std::string what = "multisampled, step " + std::to_string(step) + ", " +
                                 std::to_string(size.width) + "x" + std::to_string(size.height) +
                                 ", clear " + std::to_string(clear);
        const std::vector<uint8_t> single = FrameBy(kSimpleFieldPath).rgba;
        Multisampled window(size.width, size.height);
        ASSERT_TRUE(window.Complete());
        GLint samples = 0;
        glGetIntegerv(GL_SAMPLES, &samples);
        ASSERT_EQ(samples, 4);
        const FieldPath paths[3] = {kSimpleFieldPath, kPointArrays, kFastest};
        for (const FieldPath& path : paths) {
          const FieldDrawn how = FrameBy(path).how;
          // The picture is the single-sampled one, pixel for pixel, every way.
          ASSERT_EQ(FirstDifference(window.Resolved(), single), "") << what;
          if (&path == &paths[2]) {
            ASSERT_EQ(how, FieldDrawn::PixelRectangle) << what;
          }
          ASSERT_TRUE(glIsEnabled(GL_MULTISAMPLE)) << what << ": the text keeps its samples";
        }
      }
    }
  }
}

TEST(FieldDrawing, FullHdAtStepsOneAndSixGivesOnePicture) {
  StartUp(1920, 1080);
  for (int step : {1, 6}) {
    settings.tesselation = step;
    settings.frequency = 1.0f;
    ExpectOnePicture(true, "1920x1080 step " + std::to_string(step));
  }
}

// State any of the three ways could leave behind, read back from GL.
std::vector<float> StateAfterDrawing() {
  std::vector<float> state;
  auto floats = [&](GLenum name, int n) {
    GLfloat v[16] = {};
    glGetFloatv(name, v);
    state.insert(state.end(), v, v + n);
  };
  auto ints = [&](GLenum name) {
    GLint v = -12345;
    glGetIntegerv(name, &v);
    state.push_back(static_cast<float>(v));
  };
  floats(GL_POINT_SIZE, 1);
  floats(GL_CURRENT_COLOR, 4);
  GLfloat material[4];
  glGetMaterialfv(GL_FRONT, GL_AMBIENT, material);
  state.insert(state.end(), material, material + 4);
  glGetMaterialfv(GL_BACK, GL_DIFFUSE, material);
  state.insert(state.end(), material, material + 4);
  floats(GL_CURRENT_RASTER_POSITION, 4);
  floats(GL_CURRENT_RASTER_COLOR, 4);
  floats(GL_CURRENT_TEXTURE_COORDS, 4);
  floats(GL_CURRENT_NORMAL, 3);
  floats(GL_ZOOM_X, 1);
  floats(GL_ZOOM_Y, 1);
  floats(GL_RED_SCALE, 1);
  floats(GL_GREEN_BIAS, 1);
  floats(GL_MODELVIEW_MATRIX, 16);
  floats(GL_PROJECTION_MATRIX, 16);
  floats(GL_VIEWPORT, 4);
  floats(GL_POLYGON_MODE, 2);
  const GLenum kIntegers[] = {GL_CURRENT_RASTER_POSITION_VALID,
                              GL_MAP_COLOR,
                              GL_UNPACK_ALIGNMENT,
                              GL_UNPACK_ROW_LENGTH,
                              GL_UNPACK_SKIP_ROWS,
                              GL_UNPACK_SKIP_PIXELS,
                              GL_UNPACK_SWAP_BYTES,
                              GL_MATRIX_MODE,
                              GL_VERTEX_ARRAY,
                              GL_COLOR_ARRAY,
                              GL_NORMAL_ARRAY,
                              GL_TEXTURE_COORD_ARRAY,
                              GL_VERTEX_ARRAY_SIZE,
                              GL_VERTEX_ARRAY_TYPE,
                              GL_VERTEX_ARRAY_STRIDE,
                              GL_COLOR_ARRAY_SIZE,
                              GL_COLOR_ARRAY_TYPE,
                              GL_COLOR_ARRAY_STRIDE,
                              GL_LIGHTING,
                              GL_BLEND,
                              GL_TEXTURE_2D,
                              GL_COLOR_MATERIAL,
                              GL_ATTRIB_STACK_DEPTH,
                              GL_CLIENT_ATTRIB_STACK_DEPTH};
  for (GLenum name : kIntegers) {
    ints(name);
  }
  GLvoid* pointer = nullptr;
  glGetPointerv(GL_VERTEX_ARRAY_POINTER, &pointer);
  state.push_back(static_cast<float>(reinterpret_cast<uintptr_t>(pointer) & 0xffff));
  glGetPointerv(GL_COLOR_ARRAY_POINTER, &pointer);
  state.push_back(static_cast<float>(reinterpret_cast<uintptr_t>(pointer) & 0xffff));
  state.push_back(static_cast<float>(glGetError()));
  return state;
}

TEST(FieldDrawing, EveryWayLeavesTheGlStateTheSimpleWayLeaves) {
  StartUp(97, 61);
  static const GLfloat kSomeArray[8] = {};
  // Set apart from the defaults, so that a way that resets them shows.
  auto unusualState = [] {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 3);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 2);
    glPixelZoom(2.0f, -3.0f);
    glPixelTransferf(GL_RED_SCALE, 0.5f);
    glPixelTransferf(GL_GREEN_BIAS, 0.25f);
    glColor3f(0.1f, 0.2f, 0.3f);  // before the raster position, which takes it as its colour
    glTexCoord2f(0.25f, 0.75f);
    glRasterPos2i(11, 13);
    glVertexPointer(4, GL_FLOAT, 12, kSomeArray);
    glColorPointer(4, GL_FLOAT, 8, kSomeArray + 1);
  };
  const struct {
    int spotlights;
    int step;
    FieldDrawn fast;
  } cases[] = {{0, 4, FieldDrawn::PixelRectangle},
               {1, 4, FieldDrawn::PointArrays},
               {0, 1, FieldDrawn::PixelRectangle},
               {1, 17, FieldDrawn::PointArrays}};
  for (const auto& c : cases) {
    settings.tesselation = c.step;
    settings.spotlights = c.spotlights;
    std::vector<float> after[3];
    const FieldPath paths[3] = {kSimpleFieldPath, kPointArrays, kFastest};
    for (int k = 0; k < 3; ++k) {
      fieldPath = paths[k];
      while (glGetError() != GL_NO_ERROR) {
      }
      unusualState();
      ApplyView();
      if (c.spotlights != 0) glEnable(GL_LIGHTING);
      DrawRippleField();
      after[k] = StateAfterDrawing();
      if (c.spotlights != 0) glDisable(GL_LIGHTING);
      if (k == 2) {
        EXPECT_EQ(lastFieldDrawn, c.fast);
      }
    }
    EXPECT_EQ(after[1], after[0]) << "point arrays, step " << c.step;
    EXPECT_EQ(after[2], after[0]) << "fastest, step " << c.step;
    EXPECT_EQ(after[0].back(), static_cast<float>(GL_NO_ERROR));
  }
  glPixelTransferf(GL_RED_SCALE, 1.0f);
  glPixelTransferf(GL_GREEN_BIAS, 0.0f);
}

}  // namespace
