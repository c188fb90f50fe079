// Choosing a kernel and sharing the rows out among the worker threads.
#include "sim/FieldEvaluation.h"

#include <cmath>

#include "sim/WorkerPool.h"

uint8_t StoredByte(float component) {
  float c = component;
  if (!(c > 0.0f)) c = 0.0f;
  if (c > 1.0f) c = 1.0f;
  return static_cast<uint8_t>(std::lrint(c * 255.0f));
}

namespace {

#ifdef __EMSCRIPTEN__
// wasm: the reference alone, whose sine is the one every kernel is measured against.
bool CpuHas(FieldEvaluation evaluation) { return evaluation == FieldEvaluation::Reference; }
#else
bool CpuHas(FieldEvaluation evaluation) {
  static const bool avx2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  static const bool avx512 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") != 0;
  }();
  switch (evaluation) {
    case FieldEvaluation::Avx2: return avx2;
    case FieldEvaluation::Avx512: return avx512;
    default: return true;
  }
}
#endif

void ReferenceRows(const FieldFrame& frame, const FieldRows& out, uint32_t rowBegin,
                   uint32_t rowEnd) {
  for (uint32_t row = rowBegin; row < rowEnd; ++row) {
    for (uint32_t column = 0; column < out.columns; ++column) {
      const PointColor c = EvaluatePoint(frame, column * frame.step, row * frame.step);
      const size_t at = static_cast<size_t>(row) * out.columns + column;
      if (out.rgb != nullptr) {
        out.rgb[3 * at] = c.red;
        out.rgb[3 * at + 1] = c.green;
        out.rgb[3 * at + 2] = c.blue;
      } else {
        out.rgba[at] =
            StoredByte(c.red) | StoredByte(c.green) << 8 | StoredByte(c.blue) << 16 | 0xff000000u;
      }
    }
  }
}

FieldRowsKernel KernelFor(FieldEvaluation evaluation) {
#ifdef __EMSCRIPTEN__
  (void)evaluation;
  return ReferenceRows;
#else
  switch (evaluation) {
    case FieldEvaluation::Sse2: return FieldRowsSse2;
    case FieldEvaluation::Avx2: return FieldRowsAvx2;
    case FieldEvaluation::Avx512: return FieldRowsAvx512;
    default: return ReferenceRows;
  }
#endif
}

struct EvaluationJob {
  const FieldFrame* frame;
  const FieldRows* out;
  FieldRowsKernel kernel;
};

void RunRows(void* context, uint32_t begin, uint32_t end) {
  const auto* job = static_cast<const EvaluationJob*>(context);
  job->kernel(*job->frame, *job->out, begin, end);
}

WorkerPool& FieldWorkers() {
  static WorkerPool pool;
  return pool;
}

}  // namespace

bool EvaluationSupported(FieldEvaluation evaluation) { return CpuHas(evaluation); }

FieldEvaluation ResolveEvaluation(FieldEvaluation evaluation) {
  if (evaluation != FieldEvaluation::Fastest && CpuHas(evaluation)) return evaluation;
  if (CpuHas(FieldEvaluation::Avx512)) return FieldEvaluation::Avx512;
  if (CpuHas(FieldEvaluation::Avx2)) return FieldEvaluation::Avx2;
  if (CpuHas(FieldEvaluation::Sse2)) return FieldEvaluation::Sse2;
  return FieldEvaluation::Reference;
}

void EvaluateField(const FieldFrame& frame, const FieldRows& out, FieldEvaluation evaluation,
                   int threads) {
  const uint32_t rows = GridRows(frame);
  const FieldEvaluation resolved = ResolveEvaluation(evaluation);
  if (resolved == FieldEvaluation::Reference) {
    ReferenceRows(frame, out, 0, rows);
    return;
  }
  EvaluationJob job{&frame, &out, KernelFor(resolved)};
  const int workers = threads > 0 ? threads : HardwareThreads();
  // Small pieces even out threads that share their cores with other work.
  const uint32_t chunk = rows / (8 * static_cast<uint32_t>(workers)) + 1;
  FieldWorkers().Run(workers, rows, chunk, RunRows, &job);
}
