// The Windows kernels' own vector sine against the C library's sin() over the
// arguments the field gives it and those it must hand on. Built with SSE2, which
// every x86-64 has; the kernels' use of it on every instruction set is the
// field table's business (FieldEvaluation_test.cpp, run under Wine).
#include <emmintrin.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>

namespace {

#include "sim/FieldKernelSine.h"

// Units in the last place of what sin() gives, never below the smallest normal's.
double UlpsOff(double got, double want) {
  if (std::isnan(want)) return std::isnan(got) ? 0.0 : INFINITY;
  const double unit = std::nextafter(std::fmax(std::fabs(want), DBL_MIN), INFINITY) -
                      std::fmax(std::fabs(want), DBL_MIN);
  return std::fabs(got - want) / unit;
}

double WorstOver(double low, double high, int count, unsigned seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> pick(low, high);
  double worst = 0.0;
  for (int k = 0; k < count; k += 2) {
    const double a = pick(random), b = pick(random);
    const __m128d y = VectorSine(_mm_setr_pd(a, b));
    worst = std::fmax(worst, std::fmax(UlpsOff(y[0], std::sin(a)), UlpsOff(y[1], std::sin(b))));
  }
  return worst;
}

TEST(VectorSine, StaysWithinTwoUnitsInTheLastPlaceOfSin) {
  const struct {
    double low, high;
  } kRanges[] = {
      {-1e-300, 1e-300},  {-1e-8, 1e-8},      {-1.5707963, 1.5707963},
      {1.5707963, 4.712}, {-300.0, 300.0},    {9999.0, 10001.0},
      {-1e5, -9.9e4},     {kSineReach, 1e12}, {-1e300, -kSineReach},
  };
  unsigned seed = 1;
  for (const auto& range : kRanges) {
    EXPECT_LE(WorstOver(range.low, range.high, 20000, seed++), 2.0)
        << "over [" << range.low << ", " << range.high << "]";
  }
}

// Near each multiple of pi the sine is small and all in the reduction's last
// parts; exactly at the edges of the reach a lane changes hands.
TEST(VectorSine, NamedArguments) {
  const double past = std::nextafter(kSineReach, INFINITY);  // the first argument beyond the reach
  const double kArguments[] = {0.0,        -0.0,         M_PI,          -M_PI,   2 * M_PI,
                               100 * M_PI, 31830 * M_PI, -31831 * M_PI, M_PI_2,  -M_PI_2,
                               kSineReach, -kSineReach,  past,          DBL_MIN, DBL_TRUE_MIN,
                               355.0,      HUGE_VAL,     -HUGE_VAL,     NAN,     DBL_MAX,
                               -DBL_MAX,   1e22};
  for (const double x : kArguments) {
    // The same argument in either lane, beside a neighbour that stays near.
    for (int lane = 0; lane < 2; ++lane) {
      const __m128d y = VectorSine(lane == 0 ? _mm_setr_pd(x, 0.5) : _mm_setr_pd(0.5, x));
      EXPECT_LE(UlpsOff(y[lane], std::sin(x)), 2.0) << "sin(" << x << ") in lane " << lane;
      EXPECT_LE(UlpsOff(y[1 - lane], std::sin(0.5)), 2.0) << "beside " << x;
    }
  }
}

}  // namespace
