// Which grid point covers each window pixel, against GL's own points: a grid
// whose every point has a colour of its own, drawn by the GL painter's point
// arrays over white, read back pixel by pixel.
#include "picture/Coverage.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "painters/gl/FieldDrawing.h"
#include "painters/gl/GlPainter.h"
#include "state/Settings.h"
#include "tests/support/GlTest.h"

namespace {

// Column and row in red, green and the high bits in blue, never white.
std::vector<uint8_t> Colour(int column, int row) {
  return {static_cast<uint8_t>(column & 255), static_cast<uint8_t>(row & 255),
          static_cast<uint8_t>((column >> 8) * 16 + (row >> 8))};
}

TEST(Coverage, SaysWhichPointGlLeavesOnEveryPixel) {
  const struct {
    int width, height, step, letterbox;
  } views[] = {{97, 61, 1, 0},   {97, 61, 6, 0},   {64, 47, 7, 3},    {640, 480, 20, 6},
               {333, 251, 5, 6}, {160, 120, 2, 1}, {7, 5, 20, 0},     {50, 333, 3, 4},
               {301, 77, 4, 5},  {128, 300, 9, 2}, {1000, 18, 11, 6}, {90, 1001, 8, 6}};
  for (const auto& v : views) {
    SCOPED_TRACE(testing::Message() << v.width << "x" << v.height << " step " << v.step
                                    << " letterbox " << v.letterbox);
    StartProgram(v.width, v.height);
    settings.tesselation = v.step;
    settings.letterbox = v.letterbox;
    const Picture picture = ComposePicture(0);
    const uint32_t columns = GridColumns(picture.field), rows = GridRows(picture.field);
    std::vector<float> rgb;
    for (uint32_t r = 0; r < rows; ++r) {
      for (uint32_t c = 0; c < columns; ++c) {
        for (const uint8_t byte : Colour(static_cast<int>(c), static_cast<int>(r)))
          rgb.push_back(static_cast<float>(byte) / 255.0f);
      }
    }
    ApplyView(picture);
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glPointSize(static_cast<float>(v.step));
    FieldRows points;
    points.columns = columns;
    points.rgb = rgb.data();
    DrawGrid(picture.field, points);
    const std::vector<uint8_t> pixels = Pixels();
    const Coverage coverage = CoverageOf(picture);
    int wrong = 0;
    for (int y = 0; y < v.height && wrong < 5; ++y) {
      for (int x = 0; x < v.width && wrong < 5; ++x) {
        const int column = coverage.columns[x], row = coverage.rows[v.height - 1 - y];
        const std::vector<uint8_t> wanted =
            column < 0 || row < 0 ? std::vector<uint8_t>{255, 255, 255} : Colour(column, row);
        const auto* got = &pixels[(static_cast<size_t>(y) * v.width + x) * 3];
        if (std::vector<uint8_t>(got, got + 3) == wanted) continue;
        ++wrong;
        ADD_FAILURE() << "at x " << x << ", row " << y << " from the top: GL drew " << int{got[0]}
                      << "," << int{got[1]} << "," << int{got[2]} << ", coverage says column "
                      << column << " row " << row;
      }
    }
  }
}

}  // namespace
