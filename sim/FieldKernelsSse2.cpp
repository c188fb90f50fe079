// Two lanes of SSE2, which every x86-64 processor has: the fallback.
#include <emmintrin.h>

#include <cstddef>
#include <cstdint>

#include "sim/FieldKernels.h"
#include "sim/FieldReference.h"

#ifndef _WIN32
// glibc's libmvec's vector sine (its accuracy against sin(): README, "Performance").
extern "C" __m128d _ZGVbN2v_sin(__m128d);  // NOLINT(bugprone-reserved-identifier): libmvec's name
#endif

namespace {

#ifdef _WIN32
#include "sim/FieldKernelSine.h"
#endif
#include "sim/FieldKernelStore4.h"

struct V {
  static constexpr int kLanes = 2;
  using D = __m128d;
  using M = __m128d;
  static D Set(double x) { return _mm_set1_pd(x); }
  static D Lanes() { return _mm_setr_pd(0, 1); }
  static D Add(D a, D b) { return _mm_add_pd(a, b); }
  static D Sub(D a, D b) { return _mm_sub_pd(a, b); }
  static D Mul(D a, D b) { return _mm_mul_pd(a, b); }
  static D Div(D a, D b) { return _mm_div_pd(a, b); }
  static D Sqrt(D a) { return _mm_sqrt_pd(a); }
  static D Abs(D a) { return _mm_andnot_pd(_mm_set1_pd(-0.0), a); }
#ifdef _WIN32
  static D Sin(D a) { return VectorSine(a); }
#else
  static D Sin(D a) { return _ZGVbN2v_sin(a); }
#endif
  static M Gt(D a, D b) { return _mm_cmpgt_pd(a, b); }
  static M Lt(D a, D b) { return _mm_cmplt_pd(a, b); }
  static M NotGe(D a, D b) { return _mm_cmpnge_pd(a, b); }
  static D Select(M m, D yes, D no) { return _mm_or_pd(_mm_and_pd(m, yes), _mm_andnot_pd(m, no)); }
  static D Single(D a) { return _mm_cvtps_pd(_mm_cvtpd_ps(a)); }

  // Two lanes fill the low half of each four-float register.
  static void StoreFloats(D r, D g, D b, float* out, int n) {
    StoreFloats4(_mm_cvtpd_ps(r), _mm_cvtpd_ps(g), _mm_cvtpd_ps(b), out, n);
  }
  static void StoreBytes(D r, D g, D b, uint32_t* out, int n) {
    StoreRgba4(PackRgba4(_mm_cvtpd_ps(r), _mm_cvtpd_ps(g), _mm_cvtpd_ps(b)), out, n);
  }
};

#include "sim/FieldKernelBody.h"

}  // namespace

void FieldRowsSse2(const FieldFrame& frame, const FieldRows& out, uint32_t rowBegin,
                   uint32_t rowEnd) {
  FieldRowsDispatch<V>(frame, out, rowBegin, rowEnd);
}
