// Stores of four points' float components, shared by the SSE2 and AVX2 files.
// Included inside each file's anonymous namespace, like FieldKernelBody.h, so
// every file keeps its own copy built with its own instruction set.

inline void StoreFloats4(__m128 red, __m128 green, __m128 blue, float* out, int n) {
  alignas(16) float r[4], g[4], b[4];
  _mm_store_ps(r, red);
  _mm_store_ps(g, green);
  _mm_store_ps(b, blue);
  for (int k = 0; k < n; ++k, out += 3) {
    out[0] = r[k];
    out[1] = g[k];
    out[2] = b[k];
  }
}

// What GL stores for a float colour component: clamped, times 255, rounded.
inline __m128i Bytes4(__m128 component) {
  const __m128 f = _mm_min_ps(_mm_max_ps(component, _mm_setzero_ps()), _mm_set1_ps(1.0f));
  return _mm_cvtps_epi32(_mm_mul_ps(f, _mm_set1_ps(255.0f)));
}

// Four opaque RGBA pixels, red in the low byte.
inline __m128i PackRgba4(__m128 red, __m128 green, __m128 blue) {
  return _mm_or_si128(_mm_or_si128(Bytes4(red), _mm_slli_epi32(Bytes4(green), 8)),
                      _mm_or_si128(_mm_slli_epi32(Bytes4(blue), 16), _mm_set1_epi32(-16777216)));
}

inline void StoreRgba4(__m128i packed, uint32_t* out, int n) {
  if (n == 4) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), packed);
    return;
  }
  alignas(16) uint32_t lanes[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(lanes), packed);
  for (int k = 0; k < n; ++k) out[k] = lanes[k];
}
