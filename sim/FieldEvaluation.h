// The whole grid of a frame evaluated at once: a vector kernel for the
// processor's widest instruction set, rows split over a pool of threads.
#pragma once

#include <cstdint>

#include "sim/FieldKernels.h"

enum class FieldEvaluation {
  Reference,  // EvaluatePoint, one point at a time, on this thread
  Sse2,
  Avx2,
  Avx512,
  Fastest,  // the widest the processor has
};

bool EvaluationSupported(FieldEvaluation evaluation);
// Fastest becomes the widest supported; an unsupported choice falls back to it too.
FieldEvaluation ResolveEvaluation(FieldEvaluation evaluation);
// The whole grid of the frame into out, split by rows over `threads` threads
// (0: every hardware thread); Reference always runs on this thread alone.
void EvaluateField(const FieldFrame& frame, const FieldRows& out, FieldEvaluation evaluation,
                   int threads);

// The byte GL stores for a colour component handed to it as a float: clamped
// to 0..1, times 255 in single precision, rounded to the nearest, ties to even.
uint8_t StoredByte(float component);
