// The ripple field the simple way and the fast way, measured in the same run
// so that their ratio means something on a shared machine: field evaluation
// alone, and whole frames (RenderFrame plus glFinish) on the offscreen window.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "app/FrameDriver.h"
#include "app/Shell.h"
#include "painters/gl/GlPainter.h"
#include "sim/FieldEvaluation.h"
#include "sim/FieldPath.h"
#include "sim/Oscillators.h"
#include "sim/RippleField.h"
#include "state/Frame.h"
#include "state/Settings.h"
#include "window/OffscreenWindow.h"
#include "windowsystem/Window.h"

namespace {
std::atomic<long> allocations{0};  // every operator new in the benchmark binary
}  // namespace

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr uint32_t kWidth = 1920, kHeight = 1080;

// A frame of the running program at full HD, step 1, with `ripples` ripples.
FieldFrame FullHdFrame(int ripples) {
  screenWidth = kWidth;
  screenHeight = kHeight;
  settings.tesselation = 1;
  rippleCount = ripples;
  return PrepareFieldFrame();
}

void Field(benchmark::State& state, FieldEvaluation evaluation, int ripples, int threads) {
  const FieldFrame frame = FullHdFrame(ripples);
  std::vector<float> rgb(3 * size_t{GridColumns(frame)} * GridRows(frame));
  FieldRows out;
  out.columns = GridColumns(frame);
  out.rgb = rgb.data();
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the benchmark loop
    EvaluateField(frame, out, evaluation, threads);
    benchmark::DoNotOptimize(rgb.data());
    benchmark::ClobberMemory();
  }
  state.counters["points"] = static_cast<double>(GridColumns(frame)) * GridRows(frame);
}

void Frame(benchmark::State& state, FieldPath path, int step, int spotlights) {
  fieldPath = path;
  settings.tesselation = step;
  settings.spotlights = spotlights;
  rippleCount = 4;
  // Shaders built, buffers sized; llvmpipe also builds (in C++) a second version
  // of a shader once it has run a few frames.
  for (int k = 0; k < 5; ++k) {
    elapsedMs += 16;
    benchmark::DoNotOptimize(RenderFrame());
  }
  glFinish();
  const long before = allocations.load();
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the benchmark loop
    elapsedMs += 16;
    benchmark::DoNotOptimize(RenderFrame());
    glFinish();
  }
  // A steady frame allocates nothing: the grid's buffers are sized once per grid.
  state.counters["allocations_per_frame"] =
      static_cast<double>(allocations.load() - before) / static_cast<double>(state.iterations());
  state.counters["drawn_as"] = static_cast<double>(lastFieldDrawn);
  fieldPath = FieldPath{};
}

void Register() {
  const FieldPath fast{};
  auto field = [](const std::string& name, FieldEvaluation e, int ripples, int threads) {
    benchmark::RegisterBenchmark(name.c_str(), Field, e, ripples, threads)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  };
  for (int ripples : {4, 8}) {
    const std::string r = std::to_string(ripples);
    field("field/" + r + "/simple", FieldEvaluation::Reference, ripples, 1);
    field("field/" + r + "/fast", FieldEvaluation::Fastest, ripples, 0);
  }
  field("field/4/threads:1", FieldEvaluation::Fastest, 4, 1);
  field("field/4/threads:2", FieldEvaluation::Fastest, 4, 2);
  const struct {
    FieldEvaluation e;
    const char* name;
  } kernels[] = {{FieldEvaluation::Sse2, "sse2"},
                 {FieldEvaluation::Avx2, "avx2"},
                 {FieldEvaluation::Avx512, "avx512"}};
  for (const auto& k : kernels) {
    if (EvaluationSupported(k.e)) field(std::string("field/4/") + k.name + ":1", k.e, 4, 1);
  }
  auto frame = [](const std::string& name, FieldPath path, int step, int lights) {
    benchmark::RegisterBenchmark(name.c_str(), Frame, path, step, lights)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  };
  const struct {
    const char* name;
    int step, lights;
  } frames[] = {{"frame/step1", 1, 0}, {"frame/step6", 6, 0}, {"frame/step1_lights", 1, 1}};
  for (const auto& f : frames) {
    frame(std::string(f.name) + "/simple", kSimpleFieldPath, f.step, f.lights);
    frame(std::string(f.name) + "/fast", fast, f.step, f.lights);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Mesa's surfaceless platform and its software rasteriser, as in the tests.
  setenv("EGL_PLATFORM", "surfaceless", 0);
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
  static OffscreenWindow window(static_cast<int>(kWidth), static_cast<int>(kHeight));
  static GlPainter painter;
  std::string error;
  if (!StartUp(window, painter, {}, &error)) {
    std::fprintf(stderr, "offscreen GL context: %s\n", error.c_str());
    return 1;
  }
  elapsedMs = 10000;  // past the start-up message
  Register();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::AddCustomContext("renderer", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
