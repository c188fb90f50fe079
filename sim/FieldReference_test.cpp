// The reference arithmetic against answers worked out by hand: the ripple sum
// at chosen distances and phases, every scheme's colour at its edge values
// (FieldReference_test.txt), and the grid's extent at sizes that do and do not
// divide by the step.
#include "sim/FieldReference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>

#include "tests/support/GlTest.h"

namespace {

constexpr double kPi = std::numbers::pi;

// One or two ripples: centre u, centre v, frequency, phase each.
FieldFrame Ripples(std::initializer_list<double> slots, double scale = 1.0, double vertical = 1.0) {
  FieldFrame frame{.rippleCount = static_cast<int>(slots.size() / 4),
                   .verticalFactor = vertical,
                   .rippleScale = scale};
  std::copy(slots.begin(), slots.end(), frame.slot);
  return frame;
}

TEST(FieldValue, KnownAnswers) {
  const struct {
    const char* what;
    FieldFrame frame;
    double u, v, value;
  } cases[] = {
      // sin(w) * 0.5 + 0.5 with w = distance * frequency + phase.
      {"at the centre, phase 0", Ripples({0.5, 0.5, 1, 0}), 0.5, 0.5, 0.5},
      {"at the centre, any frequency", Ripples({0.5, 0.5, 1e9, kPi / 2}), 0.5, 0.5, 1.0},
      {"phase -pi/2", Ripples({0.2, 0.7, 3, -kPi / 2}), 0.2, 0.7, 0.0},
      {"distance 1 (0.6, 0.8), frequency pi/6", Ripples({0, 0, kPi / 6, 0}), 0.6, 0.8, 0.75},
      {"the scale multiplies the distance", Ripples({0, 0, kPi / 6, 0}, 2.0), 0.3, 0.4, 0.75},
      {"the vertical factor only vertical distances", Ripples({0, 0, kPi, 0}, 2.0, 0.5), 0, 0.5,
       1.0},
      {"not horizontal ones", Ripples({0, 0, kPi, 0}, 2.0, 0.5), 0.25, 0, 1.0},
      {"two ripples averaged", Ripples({0, 0, 0, kPi / 2, 0, 0, 0, -kPi / 2}), 0.3, 0.3, 0.5},
      {"a centre outside the window", Ripples({-2, 2, kPi / 6, 0}), -1.4, 2.8, 0.75},
      {"a phase that is not a number", Ripples({0, 0, 1, NAN}), 0.1, 0.1, 0.0},
      {"infinite frequency away from the centre", Ripples({0, 0, INFINITY, 0}), 0.1, 0, 0.0},
  };
  for (const auto& c : cases) EXPECT_NEAR(FieldValue(c.frame, c.u, c.v), c.value, 1e-12) << c.what;
}

TEST(ColorForValue, EverySchemeAtItsEdgeValues) {
  int rows = 0;
  for (const std::string& line : TableRows(WENDRIX_COLOUR_TABLE)) {
    std::istringstream row(line);
    FieldFrame frame;
    double v = 0;
    float rgb[3] = {};
    row >> frame.colorOption >> v >> rgb[0] >> rgb[1] >> rgb[2];
    const double colours[9] = {0.1, 0.01, 0.4, 0.2, 0.02, 0.5, 0.3, 0.03, 0.6};
    std::copy(std::begin(colours), std::end(colours), frame.schemeColor);
    const PointColor got = ColorForValue(frame, v);
    EXPECT_NEAR(got.red, rgb[0], 2e-7) << line;
    EXPECT_NEAR(got.green, rgb[1], 2e-7) << line;
    EXPECT_NEAR(got.blue, rgb[2], 2e-7) << line;
    ++rows;
  }
  EXPECT_GT(rows, 30);
  FieldFrame faded;
  faded.colorOption = 5;
  faded.fadeLevel = 0.5f;
  EXPECT_EQ(ColorForValue(faded, 0.5).blue, 0.5f);
}

TEST(Grid, PointsAcrossAndUpStopBelowTheEdge) {
  const struct {
    uint32_t size, step, points;
  } cases[] = {{640, 6, 107}, {480, 6, 80}, {12, 6, 2},  {13, 6, 3},     {0, 6, 0},
               {1, 20, 1},    {20, 20, 1},  {21, 20, 2}, {1920, 1, 1920}};
  for (const auto& c : cases) {
    const FieldFrame frame{.width = c.size, .height = c.size, .step = c.step};
    EXPECT_EQ(GridColumns(frame), c.points) << c.size << " step " << c.step;
    EXPECT_EQ(GridRows(frame), c.points) << c.size << " step " << c.step;
  }
}

}  // namespace
