// Two lanes of SSE2, which every x86-64 processor has: the fallback.
#include <emmintrin.h>

#include <cstddef>
#include <cstdint>

#include "sim/FieldKernels.h"
#include "sim/RippleField.h"

// glibc's libmvec; measured here: at most 4 ulp from sin().
extern "C" __m128d _ZGVbN2v_sin(__m128d);

namespace {

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
  static D Sin(D a) { return _ZGVbN2v_sin(a); }
  static M Gt(D a, D b) { return _mm_cmpgt_pd(a, b); }
  static M Lt(D a, D b) { return _mm_cmplt_pd(a, b); }
  static M NotGe(D a, D b) { return _mm_cmpnge_pd(a, b); }
  static D Select(M m, D yes, D no) { return _mm_or_pd(_mm_and_pd(m, yes), _mm_andnot_pd(m, no)); }
  static D Single(D a) { return _mm_cvtps_pd(_mm_cvtpd_ps(a)); }

  static void StoreFloats(D r, D g, D b, float* out, int n) {
    alignas(16) float red[4], green[4], blue[4];
    _mm_store_ps(red, _mm_cvtpd_ps(r));
    _mm_store_ps(green, _mm_cvtpd_ps(g));
    _mm_store_ps(blue, _mm_cvtpd_ps(b));
    for (int k = 0; k < n; ++k) {
      out[3 * k] = red[k];
      out[3 * k + 1] = green[k];
      out[3 * k + 2] = blue[k];
    }
  }

  static __m128i Bytes(D component) {
    const __m128 f =
        _mm_min_ps(_mm_max_ps(_mm_cvtpd_ps(component), _mm_setzero_ps()), _mm_set1_ps(1.0f));
    return _mm_cvtps_epi32(_mm_mul_ps(f, _mm_set1_ps(255.0f)));
  }

  static void StoreBytes(D r, D g, D b, uint32_t* out, int n) {
    const __m128i packed =
        _mm_or_si128(_mm_or_si128(Bytes(r), _mm_slli_epi32(Bytes(g), 8)),
                     _mm_or_si128(_mm_slli_epi32(Bytes(b), 16), _mm_set1_epi32(-16777216)));
    alignas(16) uint32_t lanes[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes), packed);
    for (int k = 0; k < n; ++k) out[k] = lanes[k];
  }
};

#include "sim/FieldKernelBody.h"

}  // namespace

void FieldRowsSse2(const FieldFrame& frame, const FieldRows& out, uint32_t rowBegin,
                   uint32_t rowEnd) {
  FieldRowsDispatch<V>(frame, out, rowBegin, rowEnd);
}
