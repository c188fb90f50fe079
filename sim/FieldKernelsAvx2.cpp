// Four lanes of AVX2. Built with -mavx2 (no FMA) and run only where the
// processor has it; it includes nothing with inline functions of its own.
#include <immintrin.h>

#include <cstddef>
#include <cstdint>

#include "sim/FieldKernels.h"
#include "sim/RippleField.h"

// glibc's libmvec; measured here: at most 4 ulp from sin().
extern "C" __m256d _ZGVdN4v_sin(__m256d);

namespace {

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
  static D Sin(D a) { return _ZGVdN4v_sin(a); }
  static M Gt(D a, D b) { return _mm256_cmp_pd(a, b, _CMP_GT_OQ); }
  static M Lt(D a, D b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }
  static M NotGe(D a, D b) { return _mm256_cmp_pd(a, b, _CMP_NGE_UQ); }
  static D Select(M m, D yes, D no) { return _mm256_blendv_pd(no, yes, m); }
  static D Single(D a) { return _mm256_cvtps_pd(_mm256_cvtpd_ps(a)); }

  static void StoreFloats(D r, D g, D b, float* out, int n) {
    alignas(16) float red[4], green[4], blue[4];
    _mm_store_ps(red, _mm256_cvtpd_ps(r));
    _mm_store_ps(green, _mm256_cvtpd_ps(g));
    _mm_store_ps(blue, _mm256_cvtpd_ps(b));
    for (int k = 0; k < n; ++k) {
      out[3 * k] = red[k];
      out[3 * k + 1] = green[k];
      out[3 * k + 2] = blue[k];
    }
  }

  static __m128i Bytes(D component) {
    const __m128 f =
        _mm_min_ps(_mm_max_ps(_mm256_cvtpd_ps(component), _mm_setzero_ps()), _mm_set1_ps(1.0f));
    return _mm_cvtps_epi32(_mm_mul_ps(f, _mm_set1_ps(255.0f)));
  }

  static void StoreBytes(D r, D g, D b, uint32_t* out, int n) {
    const __m128i packed =
        _mm_or_si128(_mm_or_si128(Bytes(r), _mm_slli_epi32(Bytes(g), 8)),
                     _mm_or_si128(_mm_slli_epi32(Bytes(b), 16), _mm_set1_epi32(-16777216)));
    if (n == kLanes) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out), packed);
      return;
    }
    alignas(16) uint32_t lanes[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes), packed);
    for (int k = 0; k < n; ++k) out[k] = lanes[k];
  }
};

#include "sim/FieldKernelBody.h"

}  // namespace

void FieldRowsAvx2(const FieldFrame& frame, const FieldRows& out, uint32_t rowBegin,
                   uint32_t rowEnd) {
  FieldRowsDispatch<V>(frame, out, rowBegin, rowEnd);
}
