// Eight lanes of AVX-512F. Built with -mavx512f and run only where the
// processor has it. It includes nothing with inline functions of its own
// (only the intrinsics), so no AVX-512 code can stand in for another file's.
#include <immintrin.h>

#include <cstddef>
#include <cstdint>

#include "sim/FieldKernels.h"
#include "sim/FieldReference.h"

#ifndef _WIN32
// glibc's libmvec's vector sine (its accuracy against sin(): README, "Performance").
extern "C" __m512d _ZGVeN8v_sin(__m512d);  // NOLINT(bugprone-reserved-identifier): libmvec's name
#endif

namespace {

#ifdef _WIN32
#include "sim/FieldKernelSine.h"
#endif

struct V {
  static constexpr int kLanes = 8;
  using D = __m512d;
  using M = __mmask8;
  static D Set(double x) { return _mm512_set1_pd(x); }
  static D Lanes() { return _mm512_setr_pd(0, 1, 2, 3, 4, 5, 6, 7); }
  static D Add(D a, D b) { return _mm512_add_pd(a, b); }
  static D Sub(D a, D b) { return _mm512_sub_pd(a, b); }
  static D Mul(D a, D b) { return _mm512_mul_pd(a, b); }
  static D Div(D a, D b) { return _mm512_div_pd(a, b); }
  static D Sqrt(D a) { return _mm512_sqrt_pd(a); }
  static D Abs(D a) { return _mm512_abs_pd(a); }
#ifdef _WIN32
  static D Sin(D a) { return VectorSine(a); }
#else
  static D Sin(D a) { return _ZGVeN8v_sin(a); }
#endif
  static M Gt(D a, D b) { return _mm512_cmp_pd_mask(a, b, _CMP_GT_OQ); }
  static M Lt(D a, D b) { return _mm512_cmp_pd_mask(a, b, _CMP_LT_OQ); }
  static M NotGe(D a, D b) { return _mm512_cmp_pd_mask(a, b, _CMP_NGE_UQ); }
  static D Select(M m, D yes, D no) { return _mm512_mask_blend_pd(m, no, yes); }
  static D Single(D a) { return _mm512_cvtps_pd(_mm512_cvtpd_ps(a)); }

  static void StoreFloats(D r, D g, D b, float* out, int n) {
    // Interleave eight (r, g, b) triples: 24 floats in three 8-float stores.
    const __m512 rg = _mm512_castpd_ps(
        _mm512_insertf64x4(_mm512_castpd256_pd512(_mm256_castps_pd(_mm512_cvtpd_ps(r))),
                           _mm256_castps_pd(_mm512_cvtpd_ps(g)), 1));
    const __m512 bb = _mm512_castps256_ps512(_mm512_cvtpd_ps(b));
    // Lane k of the output takes component k % 3 of point k / 3.
    alignas(64) static constexpr int32_t kFirst[16] = {0,  8, 16, 1,  9, 17, 2,  10,
                                                       18, 3, 11, 19, 4, 12, 20, 5};
    alignas(64) static constexpr int32_t kSecond[16] = {13, 21, 6, 14, 22, 7, 15, 23,
                                                        0,  0,  0, 0,  0,  0, 0,  0};
    const __m512 first = _mm512_permutex2var_ps(rg, _mm512_load_si512(kFirst), bb);
    const __m512 second = _mm512_permutex2var_ps(rg, _mm512_load_si512(kSecond), bb);
    if (n == kLanes) {
      _mm512_storeu_ps(out, first);
      _mm256_storeu_ps(out + 16, _mm512_castps512_ps256(second));
      return;
    }
    const int total = 3 * n;
    _mm512_mask_storeu_ps(out, static_cast<__mmask16>(total >= 16 ? 0xffff : (1u << total) - 1),
                          first);
    if (total > 16) {
      _mm512_mask_storeu_ps(out + 16, static_cast<__mmask16>((1u << (total - 16)) - 1), second);
    }
  }

  static __m256i Bytes(D component) {
    const __m256 f = _mm256_min_ps(_mm256_max_ps(_mm512_cvtpd_ps(component), _mm256_setzero_ps()),
                                   _mm256_set1_ps(1.0f));
    return _mm256_cvtps_epi32(_mm256_mul_ps(f, _mm256_set1_ps(255.0f)));
  }

  static void StoreBytes(D r, D g, D b, uint32_t* out, int n) {
    const __m256i packed = _mm256_or_si256(
        _mm256_or_si256(Bytes(r), _mm256_slli_epi32(Bytes(g), 8)),
        _mm256_or_si256(_mm256_slli_epi32(Bytes(b), 16), _mm256_set1_epi32(-16777216)));
    if (n == kLanes) {
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), packed);
    } else {
      _mm512_mask_storeu_epi32(out, static_cast<__mmask16>((1u << n) - 1),
                               _mm512_castsi256_si512(packed));
    }
  }
};

#include "sim/FieldKernelBody.h"

}  // namespace

void FieldRowsAvx512(const FieldFrame& frame, const FieldRows& out, uint32_t rowBegin,
                     uint32_t rowEnd) {
  FieldRowsDispatch<V>(frame, out, rowBegin, rowEnd);
}
