// The ripple field drawn on the offscreen window, for bank states whose
// picture is known: a uniform value in every colour scheme, one ripple's
// circular symmetry, and where the grid ends on sizes that are not multiples
// of the step.
#include "sim/RippleField.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "app/FrameDriver.h"
#include "app/Settings.h"
#include "app/Shell.h"
#include "sim/Oscillators.h"
#include "tests/support/GlTest.h"

namespace {

// Oscillate(i, 1, 4, -2) is 2 sin(phase): this phase gives the slot value s.
double PhaseForSlot(double s) { return std::asin(s / 2); }
// Oscillate(i, 5, 1, 0) is sin(5 phase) / 2 + 1/2: this phase gives c.
double PhaseForColor(double c) { return std::asin(2 * c - 1) / 5; }

struct Rgb {
  int r, g, b;
};

// One ripple of spatial frequency 0 at every point: the field is
// sin(phase offset) / 2 + 1/2 all over, whatever the distance.
void UniformField(double value) {
  rippleCount = 1;
  oscillatorBank.phase[8] = 0.0;
  oscillatorBank.phase[10] = PhaseForSlot(0.5);
  oscillatorBank.phase[11] = PhaseForSlot(0.5);
  oscillatorBank.phase[12] = PhaseForSlot(0.0);
  oscillatorBank.phase[13] = PhaseForSlot(std::asin(2 * value - 1));
  const double colors[9] = {0.8, 0.2, 0.4, 0.2, 0.6, 0.2, 0.4, 0.2, 0.2};
  for (int n = 0; n < 9; ++n) oscillatorBank.phase[20 + n] = PhaseForColor(colors[n]);
}

Rgb PixelAt(const std::vector<uint8_t>& rgb, int width, int x, int row) {
  const uint8_t* p = &rgb[(static_cast<size_t>(row) * width + x) * 3];
  return {p[0], p[1], p[2]};
}

void Draw(int width, int height) {
  TestWindow().Resize(width, height);
  ReshapeHandler(width, height);
  ApplyView();
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  DrawRippleField();
}

TEST(RippleField, EverySchemeColoursAKnownValue) {
  TestWindow();
  settings.tesselation = 4;
  settings.frequency = 1.0f;
  settings.letterbox = 0;
  const struct {
    double value;
    int scheme;
    float fade;
    Rgb expected;
  } cases[] = {
      // At 0.5 only Blue Center, Clouds and the three colours light up.
      {0.5, 0, 1.0f, {0, 0, 0}},
      {0.5, 1, 1.0f, {0, 0, 255}},
      {0.5, 2, 1.0f, {0, 0, 0}},
      {0.5, 3, 1.0f, {0, 0, 0}},
      {0.5, 4, 1.0f, {0, 0, 0}},
      {0.5, 5, 1.0f, {0, 0, 255}},
      {0.5, 6, 1.0f, {0, 0, 0}},
      {0.5, 7, 1.0f, {153, 204, 102}},
      {0.9, 0, 1.0f, {0, 57, 228}},
      {0.9, 1, 1.0f, {0, 0, 27}},
      {0.9, 2, 1.0f, {171, 0, 0}},
      {0.9, 3, 1.0f, {228, 228, 0}},
      {0.9, 4, 1.0f, {228, 228, 0}},
      {0.9, 5, 1.0f, {204, 204, 255}},
      {0.9, 6, 1.0f, {0, 0, 204}},
      {0.9, 7, 1.0f, {194, 122, 102}},
      {0.0, 0, 1.0f, {0, 0, 255}},
      {0.0, 1, 1.0f, {0, 0, 0}},
      {0.0, 2, 1.0f, {165, 0, 0}},
      {0.0, 3, 1.0f, {0, 255, 0}},
      {0.0, 4, 1.0f, {255, 255, 255}},
      {0.0, 5, 1.0f, {255, 255, 255}},
      {0.0, 6, 1.0f, {0, 0, 255}},
      {0.0, 7, 1.0f, {204, 51, 102}},
      {1.0, 0, 1.0f, {0, 64, 255}},
      {1.0, 2, 1.0f, {180, 0, 0}},
      {1.0, 7, 1.0f, {204, 102, 102}},
      // The fade dims every component by the same factor.
      {0.9, 5, 0.25f, {51, 51, 64}},
      {0.0, 4, 0.25f, {64, 64, 64}},
      // A scheme number outside 0..7 draws black.
      {0.9, 8, 1.0f, {0, 0, 0}},
      {0.9, -1, 1.0f, {0, 0, 0}},
  };
  for (const auto& c : cases) {
    UniformField(c.value);
    settings.colorOption = c.scheme;
    fadeLevel = c.fade;
    Draw(24, 16);
    const std::vector<uint8_t> rgb = TestWindow().ReadRgb();
    for (int row = 2; row < 16; row += 5) {  // the top two rows lie past the last point
      for (int x = 0; x < 24; x += 7) {
        const Rgb pixel = PixelAt(rgb, 24, x, row);
        EXPECT_NEAR(pixel.r, c.expected.r, 1) << c.value << " scheme " << c.scheme;
        EXPECT_NEAR(pixel.g, c.expected.g, 1) << c.value << " scheme " << c.scheme;
        EXPECT_NEAR(pixel.b, c.expected.b, 1) << c.value << " scheme " << c.scheme;
      }
    }
  }
}

TEST(RippleField, OneRippleIsCircularAroundItsCentre) {
  TestWindow();
  rippleCount = 1;
  settings.tesselation = 1;
  settings.colorOption = 6;  // blue = 2 |v - 1/2|: no flat regions
  settings.frequency = 1.0f;
  fadeLevel = 1.0f;
  oscillatorBank.phase[8] = 0.3;
  oscillatorBank.phase[10] = PhaseForSlot(0.5);
  oscillatorBank.phase[11] = PhaseForSlot(0.5);
  oscillatorBank.phase[12] = PhaseForSlot(1.7);
  oscillatorBank.phase[13] = PhaseForSlot(0.4);
  Draw(64, 64);
  const std::vector<uint8_t> rgb = TestWindow().ReadRgb();
  // The centre is pixel (32, 32) counted from the bottom; row 31 from the top.
  const int centreRow = 63 - 32;
  for (int k = 1; k < 30; ++k) {
    const int right = PixelAt(rgb, 64, 32 + k, centreRow).b;
    EXPECT_EQ(PixelAt(rgb, 64, 32 - k, centreRow).b, right) << k;
    EXPECT_EQ(PixelAt(rgb, 64, 32, centreRow - k).b, right) << k;
    EXPECT_EQ(PixelAt(rgb, 64, 32, centreRow + k).b, right) << k;
  }
  // The picture is not flat, so the comparisons above mean something.
  EXPECT_NE(PixelAt(rgb, 64, 32, centreRow).b, PixelAt(rgb, 64, 40, centreRow).b);
  // At the centre the ripple gives sin(phase offset) / 2 + 1/2.
  const FieldFrame frame = PrepareFieldFrame();
  EXPECT_DOUBLE_EQ(FieldValue(frame, 0.5, 0.5), std::sin(0.4) * 0.5 + 0.5);
}

TEST(RippleField, TheGridEndsBelowTheWindowEdge) {
  TestWindow();
  settings.colorOption = 5;  // blue is full wherever a point lands
  fadeLevel = 1.0f;
  rippleCount = 4;
  const struct {
    int width, height, step;
    int drawnWidth, drawnHeight;  // columns and rows that any point covers
  } cases[] = {
      {60, 60, 20, 50, 50},  // last point at 40 covers 30..49
      {61, 47, 20, 61, 47},  // a point at 60 reaches past the edge; rows end at 40 + 10
      {47, 47, 12, 42, 42},  // last point at 36 covers 30..41
      {45, 31, 7, 45, 31},   // odd sizes cover 3 on each side of the point
      {43, 37, 6, 43, 37},  {13, 9, 1, 13, 9},
  };
  for (const auto& c : cases) {
    settings.tesselation = c.step;
    Draw(c.width, c.height);
    const std::vector<uint8_t> rgb = TestWindow().ReadRgb();
    for (int row = 0; row < c.height; ++row) {
      for (int x = 0; x < c.width; ++x) {
        const bool drawn = x < c.drawnWidth && (c.height - 1 - row) < c.drawnHeight;
        ASSERT_EQ(PixelAt(rgb, c.width, x, row).b == 255, drawn)
            << c.width << "x" << c.height << " step " << c.step << " at " << x << "," << row;
      }
    }
  }
}

TEST(RippleField, NotANumberComesOutAsZero) {
  FieldFrame frame;
  frame.rippleCount = 1;
  frame.rippleScale = 1.0;
  frame.slot[2] = std::numeric_limits<double>::infinity();  // inf * 0 at the centre
  frame.slot[0] = frame.slot[1] = 0.5;
  EXPECT_EQ(FieldValue(frame, 0.5, 0.5), 0.0);
  frame.slot[2] = 0.0;
  frame.slot[3] = std::nan("");
  EXPECT_EQ(FieldValue(frame, 0.1, 0.9), 0.0);
  // Scheme 5 at 0 is white: the NaN point is drawn, not dropped.
  frame.colorOption = 5;
  const PointColor white = ColorForValue(frame, FieldValue(frame, 0.1, 0.9));
  EXPECT_EQ(white.red, 1.0f);
  EXPECT_EQ(white.blue, 1.0f);
}

}  // namespace
