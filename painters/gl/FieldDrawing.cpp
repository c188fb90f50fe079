// Three ways to the screen. The simple one issues every point in immediate
// mode; the others draw what the kernels computed, as vertex arrays or, where
// that is proven to give the same pixels, as one zoomed pixel rectangle.
#include "painters/gl/FieldDrawing.h"

#include <GL/gl.h>
#include <GL/glext.h>  // names past OpenGL 1.1, where Windows' gl.h stops

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "sim/FieldGrid.h"
#include "sim/FieldPath.h"
#include "state/Settings.h"
#include "windowsystem/RendererName.h"

namespace {

// x, y of every grid point, as glVertex2i would give them, row by row; made again
// only for a new grid.
const GLfloat* GridVertices(uint32_t columns, uint32_t rows, uint32_t step) {
  static std::vector<GLfloat> vertices;
  static uint32_t made[3] = {};
  const size_t count = static_cast<size_t>(columns) * rows;
  if (made[0] == columns && made[1] == rows && made[2] == step && vertices.size() == 2 * count) {
    return vertices.data();
  }
  vertices.resize(2 * count);
  GLfloat* v = vertices.data();
  for (uint32_t row = 0; row < rows; ++row) {
    for (uint32_t column = 0; column < columns; ++column) {
      *v++ = static_cast<GLfloat>(column * step);
      *v++ = static_cast<GLfloat>(row * step);
    }
  }
  made[0] = columns;
  made[1] = rows;
  made[2] = step;
  return vertices.data();
}

void DrawPointArrays(const GLfloat* vertices, const float* rgb, size_t count) {
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_INDEX_ARRAY);
  glDisableClientState(GL_EDGE_FLAG_ARRAY);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, vertices);
  glColorPointer(3, GL_FLOAT, 0, rgb);
  glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(count));
  glPopClientAttrib();
}

void DrawPixelRectangle(const uint32_t* rgba, uint32_t columns, uint32_t rows, uint32_t step) {
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
  const auto halfDown = static_cast<GLint>(step / 2);
  const GLfloat back = -static_cast<GLfloat>(halfDown);
  glRasterPos2i(0, 0);
  glBitmap(0, 0, 0.0f, 0.0f, back, back, nullptr);
  glDrawPixels(static_cast<GLsizei>(columns), static_cast<GLsizei>(rows), GL_RGBA, GL_UNSIGNED_BYTE,
               rgba);
  glPopClientAttrib();
  glPopAttrib();
}

}  // namespace

void DrawSimplePoints(const FieldFrame& frame) {
  glBegin(GL_POINTS);
  for (uint32_t y = 0; y < frame.height; y += frame.step) {
    for (uint32_t x = 0; x < frame.width; x += frame.step) {
      const PointColor color = EvaluatePoint(frame, x, y);
      glColor3f(color.red, color.green, color.blue);
      glVertex2i(static_cast<GLint>(x), static_cast<GLint>(y));
    }
  }
  glEnd();
  lastFieldDrawn = FieldDrawn::SimplePoints;
}

void DrawGrid(const FieldFrame& frame, const FieldRows& rows) {
  const uint32_t columns = rows.columns;
  const uint32_t rowCount = GridRows(frame);
  if (columns == 0 || rowCount == 0) return;
  if (rows.rgba != nullptr) {
    DrawPixelRectangle(rows.rgba, columns, rowCount, frame.step);
    lastFieldDrawn = FieldDrawn::PixelRectangle;
  } else {
    DrawPointArrays(GridVertices(columns, rowCount, frame.step), rows.rgb,
                    static_cast<size_t>(columns) * rowCount);
    lastFieldDrawn = FieldDrawn::PointArrays;
  }
  // The simple way leaves the last point's colour current, and through colour
  // material in the material too; so do these.
  const PointColor last =
      EvaluatePoint(frame, (columns - 1) * frame.step, (rowCount - 1) * frame.step);
  glColor3f(last.red, last.green, last.blue);
}

bool PixelRectangleMatchesPoints(const Picture& picture) {
  // Proven, pixel for pixel, by the tests on Mesa's llvmpipe for every step the keys allow;
  // other rasterisers may round point edges or colours their own way. The
  // program keeps one context for its whole run, so its renderer is asked once.
  static const bool provenRasteriser = [] {
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return renderer != nullptr && RendererIsLlvmpipe(renderer);
  }();
  if (!provenRasteriser) return false;
  // Unlit, over the whole window (within the 16-bit heights of the view) and not
  // squeezed into a letterbox's band, in the steps the keys allow.
  const FieldFrame& frame = picture.field;
  if (picture.light.has_value()) return false;
  if (picture.band.bottom != 0 || picture.band.height != picture.height) return false;
  if (frame.height > static_cast<uint32_t>(INT16_MAX)) return false;
  if (frame.step < static_cast<uint32_t>(kMinTesselation) ||
      frame.step > static_cast<uint32_t>(kMaxTesselation))
    return false;
  if (!std::isfinite(frame.fadeLevel)) return false;
  return std::ranges::all_of(frame.schemeColor, [](double c) { return std::isfinite(c); });
}

void DrawRippleField(const Picture& picture) {
  // Multisampled, GL may round wide points into circles (gaps in the grid) and
  // llvmpipe half covers the edge pixels of odd sizes; the grid is meant to be
  // whole squares, so it is drawn single-sampled and the text keeps the samples.
  const bool multisample = glIsEnabled(GL_MULTISAMPLE);
  if (multisample) glDisable(GL_MULTISAMPLE);
  const FieldFrame& frame = picture.field;
  glPointSize(static_cast<float>(frame.step));
  if (fieldPath.drawing == FieldDrawing::SimplePoints) {
    DrawSimplePoints(frame);
  } else {
    const bool rectangle =
        fieldPath.drawing == FieldDrawing::Fastest && PixelRectangleMatchesPoints(picture);
    const FieldRows out = GridOutput(frame, rectangle);
    EvaluateField(frame, out, FieldEvaluation::Fastest, fieldPath.threads);
    DrawGrid(frame, out);
  }
  if (multisample) glEnable(GL_MULTISAMPLE);
}
