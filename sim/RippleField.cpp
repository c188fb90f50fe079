// One point per grid cell, issued row by row from the bottom-left corner.
#include "sim/RippleField.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "app/FrameDriver.h"
#include "app/Settings.h"
#include "app/Shell.h"
#include "sim/FieldKernels.h"
#include "sim/Oscillators.h"
#include "sim/WorkerPool.h"

double rippleScale = 0.0;
FieldPath fieldPath;
FieldDrawn lastFieldDrawn = FieldDrawn::ImmediatePoints;

FieldFrame PrepareFieldFrame() {
  FieldFrame frame;
  frame.width = screenWidth;
  frame.height = screenHeight;
  // A step of 0 would never leave the row; the keys keep it 1..20 anyway.
  frame.step = static_cast<uint32_t>(settings.tesselation > 0 ? settings.tesselation : 1);
  frame.rippleCount = rippleCount;
  frame.colorOption = settings.colorOption;
  frame.fadeLevel = fadeLevel;
  frame.verticalFactor = 1.0 / (settings.letterbox * 0.2 + 1.0);
  rippleScale = Oscillate(8, 1, 14, 4) * settings.frequency;
  frame.rippleScale = rippleScale;
  for (int j = 0; j < 4 * rippleCount; ++j) frame.slot[j] = Oscillate(10 + j, 1, 4, -2);
  frame.invWidth = 1.0 / screenWidth;
  frame.invHeight = 1.0 / screenHeight;
  if (frame.colorOption == 7) {
    for (int n = 0; n < 9; ++n) frame.schemeColor[n] = Oscillate(20 + n, 5, 1, 0);
  }
  return frame;
}

double FieldValue(const FieldFrame& frame, double u, double v) {
  double sum = 0.0;
  for (int r = 0; r < frame.rippleCount; ++r) {
    const double* ripple = &frame.slot[4 * r];
    const double dx = (u - ripple[0]) * frame.rippleScale;
    const double dy = (v - ripple[1]) * frame.rippleScale * frame.verticalFactor;
    const double w = std::sqrt(dx * dx + dy * dy) * ripple[2] + ripple[3];
    sum += std::sin(w) * 0.5 + 0.5;
  }
  double value = sum / frame.rippleCount;
  if (value > 1.0) {
    value = 1.0;
  } else if (!(value >= 0.0)) {
    value = 0.0;  // negative, or not a number
  }
  return value;
}

PointColor ColorForValue(const FieldFrame& frame, double v) {
  // Components a scheme leaves alone stay at the 0 they start each frame with.
  double red = 0.0, green = 0.0, blue = 0.0;
  const double d = std::fabs(v - 0.5);
  switch (frame.colorOption) {
    case 0:  // Sharp Blue Edges
      blue = std::sqrt(2.0 * d);
      green = v > 0.5 ? blue * 0.25 : 0.0;
      break;
    case 1:  // Blue Center
      blue = 1.0 - std::sqrt(2.0 * d);
      break;
    case 2:  // Red Edges
      red = v > 0.5 ? std::sqrt(std::sqrt(d * 0.5)) : std::sqrt(std::sqrt(d * 0.35));
      break;
    case 3:  // Yellow-Green
      red = v < 0.5 ? 0.0 : std::sqrt(2.0 * (v - 0.5));
      green = v < 0.5 ? std::sqrt(1.0 - 2.0 * v) : red;
      break;
    case 4:  // Eggs
      red = v < 0.5 ? std::sqrt(1.0 - 2.0 * v) : std::sqrt(2.0 * (v - 0.5));
      green = red;
      blue = v < 0.5 ? red : 0.0;
      break;
    case 5:  // Clouds
      red = green = 2.0 * d;
      blue = 1.0;
      break;
    case 6:  // Fuzzy Blue Edges
      blue = 2.0 * d;
      break;
    case 7: {  // 3 Random Colors: low, middle and high weights in single precision
      float low = static_cast<float>((1.0 - v) * 2.0 - 1.0);
      const float high = static_cast<float>(1.0 - low);
      if (low < 0.0f) low = 0.0f;
      const float middle = static_cast<float>(1.0 - 2.0 * d);
      const double* c = frame.schemeColor;
      red = c[0] * low + c[1] * middle + c[2] * high;
      green = c[3] * low + c[4] * middle + c[5] * high;
      blue = c[6] * low + c[7] * middle + c[8] * high;
      break;
    }
    default: break;
  }
  return {static_cast<float>(frame.fadeLevel * red), static_cast<float>(frame.fadeLevel * green),
          static_cast<float>(frame.fadeLevel * blue)};
}

PointColor EvaluatePoint(const FieldFrame& frame, uint32_t x, uint32_t y) {
  return ColorForValue(frame, FieldValue(frame, x * frame.invWidth, y * frame.invHeight));
}

void DrawRippleFieldSimple() {
  const FieldFrame frame = PrepareFieldFrame();
  glPointSize(static_cast<float>(settings.tesselation));
  glBegin(GL_POINTS);
  for (uint32_t y = 0; y < frame.height; y += frame.step) {
    for (uint32_t x = 0; x < frame.width; x += frame.step) {
      const PointColor color = EvaluatePoint(frame, x, y);
      glColor3f(color.red, color.green, color.blue);
      glVertex2i(static_cast<GLint>(x), static_cast<GLint>(y));
    }
  }
  glEnd();
}

uint32_t GridColumns(const FieldFrame& frame) {
  return frame.width == 0 ? 0 : (frame.width - 1) / frame.step + 1;
}

uint32_t GridRows(const FieldFrame& frame) {
  return frame.height == 0 ? 0 : (frame.height - 1) / frame.step + 1;
}

uint8_t StoredByte(float component) {
  float c = component;
  if (!(c > 0.0f)) c = 0.0f;
  if (c > 1.0f) c = 1.0f;
  return static_cast<uint8_t>(std::lrint(c * 255.0f));
}

namespace {

bool CpuHas(FieldEvaluation evaluation) {
  static const bool avx2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  static const bool avx512 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") != 0;
  }();
  switch (evaluation) {
    case FieldEvaluation::Avx2: return avx2;
    case FieldEvaluation::Avx512: return avx512;
    default: return true;
  }
}

void ReferenceRows(const FieldFrame& frame, const FieldRows& out, uint32_t rowBegin,
                   uint32_t rowEnd) {
  for (uint32_t row = rowBegin; row < rowEnd; ++row) {
    for (uint32_t column = 0; column < out.columns; ++column) {
      const PointColor c = EvaluatePoint(frame, column * frame.step, row * frame.step);
      const size_t at = static_cast<size_t>(row) * out.columns + column;
      if (out.rgb != nullptr) {
        out.rgb[3 * at] = c.red;
        out.rgb[3 * at + 1] = c.green;
        out.rgb[3 * at + 2] = c.blue;
      } else {
        out.rgba[at] =
            StoredByte(c.red) | StoredByte(c.green) << 8 | StoredByte(c.blue) << 16 | 0xff000000u;
      }
    }
  }
}

FieldRowsKernel KernelFor(FieldEvaluation evaluation) {
  switch (evaluation) {
    case FieldEvaluation::Sse2: return FieldRowsSse2;
    case FieldEvaluation::Avx2: return FieldRowsAvx2;
    case FieldEvaluation::Avx512: return FieldRowsAvx512;
    default: return ReferenceRows;
  }
}

struct EvaluationJob {
  const FieldFrame* frame;
  const FieldRows* out;
  FieldRowsKernel kernel;
};

void RunRows(void* context, uint32_t begin, uint32_t end) {
  const auto* job = static_cast<const EvaluationJob*>(context);
  job->kernel(*job->frame, *job->out, begin, end);
}

WorkerPool& FieldWorkers() {
  static WorkerPool pool;
  return pool;
}

// The grid's buffers, sized when the grid changes and reused every frame.
struct GridBuffers {
  uint32_t columns = 0, rows = 0, step = 0;  // the grid `vertices` holds
  std::vector<GLfloat> vertices;             // x, y of every point, as glVertex2i gives them
  std::vector<float> rgb;
  std::vector<uint32_t> rgba;
};
GridBuffers grid;

void PrepareVertices(uint32_t columns, uint32_t rows, uint32_t step) {
  const size_t count = static_cast<size_t>(columns) * rows;
  if (grid.columns == columns && grid.rows == rows && grid.step == step &&
      grid.vertices.size() == 2 * count) {
    return;
  }
  grid.vertices.resize(2 * count);
  GLfloat* v = grid.vertices.data();
  for (uint32_t row = 0; row < rows; ++row) {
    for (uint32_t column = 0; column < columns; ++column) {
      *v++ = static_cast<GLfloat>(column * step);
      *v++ = static_cast<GLfloat>(row * step);
    }
  }
  grid.columns = columns;
  grid.rows = rows;
  grid.step = step;
}

void DrawPointArrays(size_t count) {
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_INDEX_ARRAY);
  glDisableClientState(GL_EDGE_FLAG_ARRAY);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, grid.vertices.data());
  glColorPointer(3, GL_FLOAT, 0, grid.rgb.data());
  glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(count));
  glPopClientAttrib();
}

void DrawPixelRectangle(uint32_t columns, uint32_t rows, uint32_t step) {
  glPushAttrib(GL_CURRENT_BIT | GL_PIXEL_MODE_BIT);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelTransferi(GL_MAP_COLOR, GL_FALSE);
  for (const GLenum scale : {GL_RED_SCALE, GL_GREEN_SCALE, GL_BLUE_SCALE, GL_ALPHA_SCALE}) {
    glPixelTransferf(scale, 1.0f);
  }
  for (const GLenum bias : {GL_RED_BIAS, GL_GREEN_BIAS, GL_BLUE_BIAS, GL_ALPHA_BIAS}) {
    glPixelTransferf(bias, 0.0f);
  }
  const GLfloat zoom = static_cast<GLfloat>(step);
  glPixelZoom(zoom, zoom);
  // A point of size s at pixel x covers x - s/2 ... x - s/2 + s - 1 (s/2 rounded
  // down), so the cells start that far below and left of the origin. The raster
  // position has to be set inside the view; a bitmap of no pixels moves it out.
  const GLfloat back = -static_cast<GLfloat>(step / 2);
  glRasterPos2i(0, 0);
  glBitmap(0, 0, 0.0f, 0.0f, back, back, nullptr);
  glDrawPixels(static_cast<GLsizei>(columns), static_cast<GLsizei>(rows), GL_RGBA, GL_UNSIGNED_BYTE,
               grid.rgba.data());
  glPopClientAttrib();
  glPopAttrib();
}

bool NearlyEqual(GLfloat value, double expected) {
  return std::fabs(value - expected) <= 1e-6 * std::fabs(expected) + 1e-12;
}

}  // namespace

bool EvaluationSupported(FieldEvaluation evaluation) { return CpuHas(evaluation); }

FieldEvaluation ResolveEvaluation(FieldEvaluation evaluation) {
  if (evaluation != FieldEvaluation::Fastest && CpuHas(evaluation)) return evaluation;
  if (CpuHas(FieldEvaluation::Avx512)) return FieldEvaluation::Avx512;
  if (CpuHas(FieldEvaluation::Avx2)) return FieldEvaluation::Avx2;
  return FieldEvaluation::Sse2;
}

void EvaluateField(const FieldFrame& frame, const FieldRows& out, FieldEvaluation evaluation,
                   int threads) {
  const uint32_t rows = GridRows(frame);
  const FieldEvaluation resolved = ResolveEvaluation(evaluation);
  if (resolved == FieldEvaluation::Reference) {
    ReferenceRows(frame, out, 0, rows);
    return;
  }
  // 1920x1080, step 1, 4 ripples (bench/run.sh, idle 2-core EPYC): scalar 152 ms,
  // AVX-512 on one thread 16 ms, on two 8.5 ms.
  const EvaluationJob job{&frame, &out, KernelFor(resolved)};
  const int count = threads > 0 ? threads : HardwareThreads();
  // Small pieces even out threads that share their cores with other work.
  const uint32_t chunk = rows / (8 * static_cast<uint32_t>(count)) + 1;
  FieldWorkers().Run(count, rows, chunk, RunRows, const_cast<EvaluationJob*>(&job));
}

bool PixelRectangleMatchesPoints(const FieldFrame& frame) {
  // Proven, pixel for pixel, by the tests on Mesa's llvmpipe for steps 1..20;
  // other rasterisers may round point edges or colours their own way.
  if (settings.tesselation < 1 || settings.tesselation > 20) return false;
  if (frame.step != static_cast<uint32_t>(settings.tesselation)) return false;
  if (!std::isfinite(frame.fadeLevel)) return false;
  for (const double c : frame.schemeColor) {
    if (!std::isfinite(c)) return false;
  }
  const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  if (renderer == nullptr || std::strncmp(renderer, "llvmpipe", 8) != 0) return false;
  // Anything that treats a point and a pixel rectangle differently.
  for (const GLenum capability :
       {GL_LIGHTING, GL_TEXTURE_1D, GL_TEXTURE_2D, GL_FOG, GL_BLEND, GL_ALPHA_TEST, GL_DEPTH_TEST,
        GL_STENCIL_TEST, GL_COLOR_LOGIC_OP, GL_POINT_SMOOTH, GL_CLIP_PLANE0, GL_CLIP_PLANE1,
        GL_CLIP_PLANE2, GL_CLIP_PLANE3, GL_CLIP_PLANE4, GL_CLIP_PLANE5}) {
    if (glIsEnabled(capability)) return false;
  }
  GLint value = 0;
  glGetIntegerv(GL_RENDER_MODE, &value);
  if (value != GL_RENDER) return false;
  value = 0;
  glGetIntegerv(GL_CURRENT_PROGRAM, &value);
  if (value != 0) return false;
  value = 0;
  glGetIntegerv(GL_SAMPLE_BUFFERS, &value);
  if (value > 0 && glIsEnabled(GL_MULTISAMPLE)) return false;  // partly covered pixels
  // The whole window, in the pixel-space view that ApplyView sets.
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  if (viewport[0] != 0 || viewport[1] != 0 || viewport[2] != static_cast<GLint>(frame.width) ||
      viewport[3] != static_cast<GLint>(frame.height)) {
    return false;
  }
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  for (int k = 0; k < 16; ++k) {
    if (m[k] != (k % 5 == 0 ? 1.0f : 0.0f)) return false;
  }
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  const double expected[16] = {
      2.0 / frame.width, 0, 0, 0, 0, 2.0 / frame.height, 0, 0, 0, 0, -1, 0, -1, -1, 0, 1};
  for (int k = 0; k < 16; ++k) {
    if (!NearlyEqual(m[k], expected[k])) return false;
  }
  return true;
}

namespace {
void DrawGrid();
}

void DrawRippleField() {
  // Multisampled, GL may round wide points into circles (gaps in the grid) and
  // llvmpipe half covers the edge pixels of odd sizes; the grid is meant to be
  // whole squares, so it is drawn single-sampled and the text keeps the samples.
  const bool multisample = glIsEnabled(GL_MULTISAMPLE);
  if (multisample) glDisable(GL_MULTISAMPLE);
  DrawGrid();
  if (multisample) glEnable(GL_MULTISAMPLE);
}

namespace {
void DrawGrid() {
  if (fieldPath.drawing == FieldDrawing::ImmediatePoints &&
      ResolveEvaluation(fieldPath.evaluation) == FieldEvaluation::Reference) {
    DrawRippleFieldSimple();
    lastFieldDrawn = FieldDrawn::ImmediatePoints;
    return;
  }
  const FieldFrame frame = PrepareFieldFrame();
  glPointSize(static_cast<float>(settings.tesselation));
  const uint32_t columns = GridColumns(frame);
  const uint32_t rows = GridRows(frame);
  const size_t count = static_cast<size_t>(columns) * rows;
  if (count == 0) {
    glBegin(GL_POINTS);
    glEnd();
    lastFieldDrawn = FieldDrawn::ImmediatePoints;
    return;
  }
  const bool rectangle =
      fieldPath.drawing == FieldDrawing::Fastest && PixelRectangleMatchesPoints(frame);
  FieldRows out;
  out.columns = columns;
  if (rectangle) {
    if (grid.rgba.size() != count) grid.rgba.resize(count);
    out.rgba = grid.rgba.data();
  } else {
    if (grid.rgb.size() != 3 * count) grid.rgb.resize(3 * count);
    out.rgb = grid.rgb.data();
  }
  EvaluateField(frame, out, fieldPath.evaluation, fieldPath.threads);

  if (rectangle) {
    DrawPixelRectangle(columns, rows, frame.step);
    lastFieldDrawn = FieldDrawn::PixelRectangle;
  } else if (fieldPath.drawing == FieldDrawing::ImmediatePoints) {
    glBegin(GL_POINTS);
    const float* rgb = grid.rgb.data();
    for (uint32_t y = 0; y < frame.height; y += frame.step) {
      for (uint32_t x = 0; x < frame.width; x += frame.step, rgb += 3) {
        glColor3fv(rgb);
        glVertex2i(static_cast<GLint>(x), static_cast<GLint>(y));
      }
    }
    glEnd();
    lastFieldDrawn = FieldDrawn::ImmediatePoints;
    return;
  } else {
    PrepareVertices(columns, rows, frame.step);
    DrawPointArrays(count);
    lastFieldDrawn = FieldDrawn::PointArrays;
  }
  // The simple way leaves the last point's colour current, and through colour
  // material in the material too; so do these.
  const PointColor last = EvaluatePoint(frame, (columns - 1) * frame.step, (rows - 1) * frame.step);
  glColor3f(last.red, last.green, last.blue);
}
}  // namespace
