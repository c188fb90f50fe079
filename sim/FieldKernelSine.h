// The kernels' sine where the C library has no vector one (MinGW on Windows):
// the argument less its nearest multiple of pi, then the sine's series, a few
// units in the last place from sin() as glibc's vector sine is. Lanes beyond
// kSineReach, infinite or not a number take the C library's sin(). Included
// inside each kernel file's anonymous namespace, like FieldKernelBody.h; GCC's
// vector arithmetic and builtins only, no header.

// Past this the nearest multiple q of pi passes 2^15, and q times a 36-bit part
// of pi would no longer be exact.
inline constexpr double kSineReach = 1e5;

template <class D>
inline D VectorSine(D x) {
  constexpr int kCount = sizeof(D) / sizeof(double);
  using Bits = decltype(x < D{});  // a comparison's lanes: 64-bit integers
  // Adding 1.5 * 2^52 rounds to the nearest whole number, whose parity is then
  // the sum's lowest bit.
  const D shifted = x * 0x1.45f306dc9c883p-2 + 0x1.8p52;  // x / pi
  const D q = shifted - 0x1.8p52;
  // Pi in three parts, the first two of 36 bits: each q times them is exact.
  const D r =
      ((x - q * 0x1.921fb54440000p+1) - q * 0x1.68c234c4c0000p-38) - q * 0x1.98a2e03707345p-76;
  // The series to r^21 misses by under 2e-18 at |r| = pi / 2.
  const D s = r * r;
  D p = s * 0x1.71b8ef6dcf572p-66 + -0x1.2f49b46814157p-57;
  p = p * s + 0x1.952c77030ad4ap-49;
  p = p * s + -0x1.ae7f3e733b81fp-41;
  p = p * s + 0x1.6124613a86d09p-33;
  p = p * s + -0x1.ae64567f544e4p-26;
  p = p * s + 0x1.71de3a556c734p-19;
  p = p * s + -0x1.a01a01a01a01ap-13;
  p = p * s + 0x1.1111111111111p-7;
  p = p * s + -0x1.5555555555555p-3;
  D y = r + r * s * p;
  // An odd multiple of pi turns the sine over.
  y = __builtin_bit_cast(D,
                         __builtin_bit_cast(Bits, y) ^ (__builtin_bit_cast(Bits, shifted) << 63));
  const Bits near = (x >= -kSineReach) & (x <= kSineReach);  // false for NaN
  for (int i = 0; i < kCount; ++i) {
    if (near[i] == 0) y[i] = __builtin_sin(x[i]);
  }
  return y;
}
