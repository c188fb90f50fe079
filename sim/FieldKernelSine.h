// The kernels' sine where the C library has no vector one (MinGW on Windows):
// each lane through the very sin() the reference takes, so the fast path stays
// exact against EvaluatePoint there. Included inside each kernel file's
// anonymous namespace, like FieldKernelBody.h; builtins only, no header.

template <class D>
inline D SineByLanes(D a) {
  constexpr int kCount = sizeof(D) / sizeof(double);
  double lanes[kCount];
  __builtin_memcpy(lanes, &a, sizeof a);
  for (double& x : lanes) x = __builtin_sin(x);
  __builtin_memcpy(&a, lanes, sizeof a);
  return a;
}
