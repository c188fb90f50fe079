// Four lanes of AVX2. Built with -mavx2 (no FMA) and run only where the
// processor has it; what it shares with other files sits in its anonymous
// namespace, so no AVX2 code can stand in for theirs.
#include <immintrin.h>

#include <cstddef>
#include <cstdint>

#include "sim/FieldKernels.h"
#include "sim/FieldReference.h"

#ifndef _WIN32
// glibc's libmvec's vector sine (its accuracy against sin(): README, "Performance").
extern "C" __m256d _ZGVdN4v_sin(__m256d);  // NOLINT(bugprone-reserved-identifier): libmvec's name
#endif

namespace {

#ifdef _WIN32
#include "sim/FieldKernelSine.h"
#endif
#include "sim/FieldKernelStore4.h"

struct V {
  static constexpr int kLanes = 4;
  using D = __m256d;
  using M = __m256d;
  static D Set(double x) { return _mm256_set1_pd(x); }
  static D Lanes() { return _mm256_setr_pd(0, 1, 2, 3); }
  static D Add(D a, D b) { return _mm256_add_pd(a, b); }
  static D Sub(D a, D b) { return _mm256_sub_pd(a, b); }
  static D Mul(D a, D b) { return _mm256_mul_pd(a, b); }
  static D Div(D a, D b) { return _mm256_div_pd(a, b); }
  static D Sqrt(D a) { return _mm256_sqrt_pd(a); }
  static D Abs(D a) { return _mm256_andnot_pd(_mm256_set1_pd(-0.0), a); }
#ifdef _WIN32
  static D Sin(D a) { return VectorSine(a); }
#else
  static D Sin(D a) { return _ZGVdN4v_sin(a); }
#endif
  static M Gt(D a, D b) { return _mm256_cmp_pd(a, b, _CMP_GT_OQ); }
  static M Lt(D a, D b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }
  static M NotGe(D a, D b) { return _mm256_cmp_pd(a, b, _CMP_NGE_UQ); }
  static D Select(M m, D yes, D no) { return _mm256_blendv_pd(no, yes, m); }
  static D Single(D a) { return _mm256_cvtps_pd(_mm256_cvtpd_ps(a)); }

  static void StoreFloats(D r, D g, D b, float* out, int n) {
    StoreFloats4(_mm256_cvtpd_ps(r), _mm256_cvtpd_ps(g), _mm256_cvtpd_ps(b), out, n);
  }
  static void StoreBytes(D r, D g, D b, uint32_t* out, int n) {
    StoreRgba4(PackRgba4(_mm256_cvtpd_ps(r), _mm256_cvtpd_ps(g), _mm256_cvtpd_ps(b)), out, n);
  }
};

#include "sim/FieldKernelBody.h"

}  // namespace

void FieldRowsAvx2(const FieldFrame& frame, const FieldRows& out, uint32_t rowBegin,
                   uint32_t rowEnd) {
  FieldRowsDispatch<V>(frame, out, rowBegin, rowEnd);
}
