// Every vector kernel against EvaluatePoint, point by point: for every colour
// scheme, at the usual frequencies and at extreme ones, with ripples whose
// slots are negative, zero or not numbers. Compared twice: the floats handed
// to GL bit for bit, and the bytes GL stores for them.
#include "sim/FieldKernels.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "sim/RippleField.h"
#include "tests/support/GlTest.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A frame as PrepareFieldFrame makes it, from a seeded bank instead of the
// program's: centres, frequencies and phases in -2..2, scale 4..18 times the
// frequency.
FieldFrame RandomFrame(uint32_t width, uint32_t height, int ripples, double frequency,
                       unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> slot(-2.0, 2.0), unit(0.0, 1.0);
  FieldFrame frame;
  frame.width = width;
  frame.height = height;
  frame.step = 1;
  frame.rippleCount = ripples;
  frame.rippleScale = (4.0 + 14.0 * unit(random)) * frequency;
  frame.invWidth = 1.0 / width;
  frame.invHeight = 1.0 / height;
  for (double& s : frame.slot) s = slot(random);
  for (double& c : frame.schemeColor) c = unit(random);
  return frame;
}

struct Scene {
  const char* name;
  int ripples;
  double frequency;
  void (*adjust)(FieldFrame&);
};

void Nothing(FieldFrame&) {}
void Letterboxed(FieldFrame& f) {
  f.verticalFactor = 1.0 / 2.2;
  f.fadeLevel = 0.37f;
}
void AllNegative(FieldFrame& f) {
  for (int r = 0; r < kMaxRipples; ++r) {
    f.slot[4 * r] = -2.0 + 0.1 * r;
    f.slot[4 * r + 1] = -1.5;
    f.slot[4 * r + 2] = -1.9 + 0.05 * r;
    f.slot[4 * r + 3] = -2.0;
  }
}
void ZeroFrequencies(FieldFrame& f) {
  for (int r = 0; r < kMaxRipples; ++r) f.slot[4 * r + 2] = r % 2 == 0 ? 0.0 : 1e-300;
}
void NotANumberPhase(FieldFrame& f) { f.slot[3] = kNaN; }
// At the ripple's own centre the distance is 0 and 0 times infinity is not a number.
void InfiniteFrequency(FieldFrame& f) {
  f.slot[0] = 0.5;
  f.slot[1] = 0.5;
  f.slot[2] = kInf;
}
void FadingOut(FieldFrame& f) { f.fadeLevel = 0.051f; }
void BrightSchemeColors(FieldFrame& f) {
  for (double& c : f.schemeColor) c = 0.9 + c * 0.1;  // scheme 7 runs past 1 and is clamped
}

const Scene kScenes[] = {
    {"default", 4, 1.0, Nothing},
    {"eight ripples, letterboxed, faded", 8, 1.0, Letterboxed},
    {"one ripple", 1, 1.0, Nothing},
    {"all slots negative", 8, 1.0, AllNegative},
    {"frequency 0", 4, 0.0, Nothing},
    {"negative frequency", 3, -2.5, Nothing},
    {"zero and tiny spatial frequencies", 6, 1.0, ZeroFrequencies},
    {"frequency 1e6", 4, 1e6, Nothing},
    {"frequency 1e12: the sine's slow path", 4, 1e12, Nothing},
    {"largest float frequency", 4, FLT_MAX, Nothing},
    {"infinite frequency: every distance infinite", 4, kInf, Nothing},
    {"a phase that is not a number", 2, 1.0, NotANumberPhase},
    {"infinite spatial frequency", 1, 1.0, InfiniteFrequency},
    {"the end of the fade", 5, 1.0, FadingOut},
    {"scheme colours past one", 4, 1.0, BrightSchemeColors},
};

uint32_t Bits(float f) {
  uint32_t b;
  std::memcpy(&b, &f, sizeof b);
  return b;
}

struct Tally {
  size_t components = 0, unequal = 0;
  double worst = 0.0;  // floats: largest difference; bytes: in 1/255
};

void CompareFloats(const std::vector<float>& got, const std::vector<float>& want, Tally& t) {
  for (size_t k = 0; k < want.size(); ++k) {
    ++t.components;
    if (Bits(got[k]) == Bits(want[k])) continue;
    ++t.unequal;
    const double diff = std::fabs(static_cast<double>(got[k]) - want[k]);
    t.worst = std::isnan(diff) ? kInf : std::max(t.worst, diff);
  }
}

void CompareBytes(const std::vector<uint32_t>& got, const std::vector<uint32_t>& want, Tally& t) {
  for (size_t k = 0; k < want.size(); ++k) {
    for (int shift = 0; shift < 32; shift += 8) {
      const int a = (got[k] >> shift) & 0xff, b = (want[k] >> shift) & 0xff;
      ++t.components;
      if (a == b) continue;
      ++t.unequal;
      t.worst = std::max(t.worst, std::fabs(a - b) / 255.0);
    }
  }
}

std::vector<float> Floats(const FieldFrame& frame, FieldEvaluation evaluation, int threads) {
  std::vector<float> rgb(3 * size_t{GridColumns(frame)} * GridRows(frame), -1.0f);
  FieldRows out;
  out.columns = GridColumns(frame);
  out.rgb = rgb.data();
  EvaluateField(frame, out, evaluation, threads);
  return rgb;
}

std::vector<uint32_t> Bytes(const FieldFrame& frame, FieldEvaluation evaluation, int threads) {
  std::vector<uint32_t> rgba(size_t{GridColumns(frame)} * GridRows(frame), 0x12345678u);
  FieldRows out;
  out.columns = GridColumns(frame);
  out.rgba = rgba.data();
  EvaluateField(frame, out, evaluation, threads);
  return rgba;
}

std::vector<FieldEvaluation> Kernels() {
  std::vector<FieldEvaluation> kernels;
  for (FieldEvaluation e :
       {FieldEvaluation::Sse2, FieldEvaluation::Avx2, FieldEvaluation::Avx512}) {
    if (EvaluationSupported(e)) kernels.push_back(e);
  }
  return kernels;
}

const char* Name(FieldEvaluation e) {
  switch (e) {
    case FieldEvaluation::Sse2: return "SSE2";
    case FieldEvaluation::Avx2: return "AVX2";
    case FieldEvaluation::Avx512: return "AVX-512";
    default: return "?";
  }
}

void ExpectAgreement(const Tally& t, double limit, const std::string& what) {
  EXPECT_LE(t.worst, limit) << what;
  // At least 99.99% of the components exactly equal.
  EXPECT_LE(t.unequal * 10000, t.components)
      << what << ": " << t.unequal << " of " << t.components << " differ";
}

TEST(FieldKernels, EveryKernelColoursEveryPointAsTheReferenceDoes) {
  ASSERT_FALSE(Kernels().empty());
  // Widths that leave every kernel a part vector at the end of the row.
  const uint32_t width = 203, height = 77;
  for (const Scene& scene : kScenes) {
    for (int scheme = -1; scheme <= 8; ++scheme) {
      FieldFrame frame = RandomFrame(width, height, scene.ripples, scene.frequency,
                                     static_cast<unsigned>(scheme + 40));
      scene.adjust(frame);
      frame.colorOption = scheme;
      const std::vector<float> wantRgb = Floats(frame, FieldEvaluation::Reference, 1);
      const std::vector<uint32_t> wantRgba = Bytes(frame, FieldEvaluation::Reference, 1);
      for (FieldEvaluation kernel : Kernels()) {
        const std::string what =
            std::string(scene.name) + ", scheme " + std::to_string(scheme) + ", " + Name(kernel);
        Tally floats, bytes;
        CompareFloats(Floats(frame, kernel, 2), wantRgb, floats);
        CompareBytes(Bytes(frame, kernel, 2), wantRgba, bytes);
        ExpectAgreement(floats, 1.0 / 255, what + " (floats)");
        ExpectAgreement(bytes, 1.0 / 255, what + " (bytes)");
      }
    }
  }
}

TEST(FieldKernels, AFullHdGridAgreesInEveryScheme) {
  for (int scheme = 0; scheme < 8; scheme += 7) {
    FieldFrame frame = RandomFrame(1920, 1080, 4, 1.0, 7);
    frame.colorOption = scheme;
    const std::vector<float> want = Floats(frame, FieldEvaluation::Reference, 1);
    for (FieldEvaluation kernel : Kernels()) {
      Tally t;
      CompareFloats(Floats(frame, kernel, 0), want, t);
      ExpectAgreement(t, 1.0 / 255,
                      std::string(Name(kernel)) + " scheme " + std::to_string(scheme));
    }
  }
}

TEST(FieldKernels, NotANumberAndOverflowComeOutAsZero) {
  // A phase that is not a number spoils the sum everywhere; an infinite
  // frequency (held Up key) makes every distance infinite, and the sine of
  // infinity is not a number either. All must draw the colour of value 0.
  const struct {
    int ripples;
    double frequency;
    void (*adjust)(FieldFrame&);
  } cases[] = {{2, 1.0, NotANumberPhase}, {4, kInf, Nothing}, {1, kNaN, Nothing}};
  for (const auto& c : cases) {
    for (int scheme = 0; scheme < 8; ++scheme) {
      FieldFrame frame = RandomFrame(37, 11, c.ripples, c.frequency, 3);
      c.adjust(frame);
      frame.colorOption = scheme;
      const PointColor zero = ColorForValue(frame, 0.0);
      for (FieldEvaluation kernel : Kernels()) {
        const std::vector<float> rgb = Floats(frame, kernel, 1);
        for (size_t k = 0; k < rgb.size(); k += 3) {
          ASSERT_EQ(Bits(rgb[k]), Bits(zero.red)) << Name(kernel) << " scheme " << scheme;
          ASSERT_EQ(Bits(rgb[k + 1]), Bits(zero.green)) << Name(kernel) << " scheme " << scheme;
          ASSERT_EQ(Bits(rgb[k + 2]), Bits(zero.blue)) << Name(kernel) << " scheme " << scheme;
        }
      }
    }
  }
}

TEST(FieldKernels, RowsComeOutTheSameOnAnyNumberOfThreads) {
  FieldFrame frame = RandomFrame(301, 157, 8, 1.0, 11);
  frame.colorOption = 7;
  for (uint32_t step : {1u, 3u, 20u}) {
    frame.step = step;
    const std::vector<float> one = Floats(frame, FieldEvaluation::Fastest, 1);
    for (int threads : {2, 3, 8}) {
      const std::vector<float> many = Floats(frame, FieldEvaluation::Fastest, threads);
      ASSERT_EQ(std::memcmp(one.data(), many.data(), one.size() * sizeof(float)), 0)
          << threads << " threads, step " << step;
    }
  }
}

TEST(FieldKernels, StepsAndEdgesPlaceEveryPoint) {
  // Point (i, j) of the grid is EvaluatePoint at (i * step, j * step), for
  // sizes on and off the step and grids narrower than one vector.
  const struct {
    uint32_t width, height, step;
  } cases[] = {{1, 1, 1},    {5, 3, 1},  {17, 9, 2}, {61, 47, 20},
               {60, 60, 20}, {7, 5, 13}, {43, 37, 6}};
  for (const auto& c : cases) {
    FieldFrame frame = RandomFrame(c.width, c.height, 3, 1.0, c.width);
    frame.step = c.step;
    frame.colorOption = 6;
    const uint32_t columns = GridColumns(frame), rows = GridRows(frame);
    ASSERT_EQ(columns, (c.width + c.step - 1) / c.step);
    ASSERT_EQ(rows, (c.height + c.step - 1) / c.step);
    for (FieldEvaluation kernel : Kernels()) {
      const std::vector<float> rgb = Floats(frame, kernel, 2);
      for (uint32_t j = 0; j < rows; ++j) {
        for (uint32_t i = 0; i < columns; ++i) {
          const PointColor want = EvaluatePoint(frame, i * c.step, j * c.step);
          ASSERT_NEAR(rgb[3 * (j * columns + i) + 2], want.blue, 1e-6)
              << Name(kernel) << " " << c.width << "x" << c.height << " step " << c.step << " at "
              << i << "," << j;
        }
      }
    }
  }
}

TEST(FieldKernels, StoredByteIsWhatGlStoresForAPointColour) {
  // Colours at and around every rounding boundary k + 1/2 of the 255 steps,
  // drawn as points, read back and set against StoredByte.
  TestWindow().Resize(256, 128);
  glViewport(0, 0, 256, 128);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 256, 0, 128, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  std::vector<float> values;
  for (int k = -1; k <= 255; ++k) {
    float f = (k + 0.5f) / 255.0f;
    for (int j = 0; j < 48; ++j) f = std::nextafter(f, -1.0f);
    for (int j = 0; j < 96; ++j, f = std::nextafter(f, 2.0f)) values.push_back(f);
  }
  values.insert(values.end(), {0.0f, -0.0f, 1.0f, 1.5f, 2.9f, 1e-30f});
  for (size_t base = 0; base < values.size(); base += 256 * 128) {
    glClear(GL_COLOR_BUFFER_BIT);
    glPointSize(1.0f);
    glBegin(GL_POINTS);
    const size_t n = std::min<size_t>(256 * 128, values.size() - base);
    for (size_t i = 0; i < n; ++i) {
      const float f = values[base + i];
      glColor3f(f, 1.0f - f, f * 0.5f);
      glVertex2i(static_cast<GLint>(i % 256), static_cast<GLint>(i / 256));
    }
    glEnd();
    std::vector<uint8_t> rgba(256 * 128 * 4);
    glReadPixels(0, 0, 256, 128, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    for (size_t i = 0; i < n; ++i) {
      const float f = values[base + i];
      ASSERT_EQ(rgba[4 * i], StoredByte(f)) << f;
      ASSERT_EQ(rgba[4 * i + 1], StoredByte(1.0f - f)) << 1.0f - f;
      ASSERT_EQ(rgba[4 * i + 2], StoredByte(f * 0.5f)) << f * 0.5f;
      ASSERT_EQ(rgba[4 * i + 3], 255);
    }
  }
}

}  // namespace
