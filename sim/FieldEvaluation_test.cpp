// Every vector kernel against EvaluatePoint over one table of scenes, the rows
// shared out over one to three threads, and the pool's threads leaving the
// end signals to the caller. No GL: the same table runs wherever the kernels
// are built, and under ThreadSanitizer.
#include "sim/FieldEvaluation.h"

#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <cfloat>
#include <chrono>
#include <cmath>
#include <iterator>
#include <random>
#include <thread>
#include <vector>

#include "sim/WorkerPool.h"
#ifndef _WIN32
#include <pthread.h>

#include <csignal>
#endif

namespace {

// A vector sine (glibc's, or the kernels' own on Windows) is a unit or two in
// the last place off sin() now and then.
constexpr size_t kUnequalPer10000 = 1;

// Sizes leave every kernel a part vector at the end of a row; the extremes are
// held keys (frequency 1e12, FLT_MAX, infinity), a phase or a ripple frequency
// that is not a number, and infinite frequency at a ripple centred on a point.
const struct {
  uint32_t width, height, step;
  int ripples;
  double frequency, special;  // special goes into ripple 0's `slot` when not 0
  int slot;
} kScenes[] = {
    {203, 77, 1, 4, 1.0, 0, 0},       {203, 77, 1, 8, 1.0, 0, 0},     {61, 47, 20, 1, 1.0, 0, 0},
    {17, 9, 2, 3, 0.0, 0, 0},         {45, 31, 7, 3, -2.5, 0, 0},     {64, 40, 1, 4, 1e12, 0, 0},
    {64, 40, 1, 4, FLT_MAX, 0, 0},    {64, 40, 1, 4, INFINITY, 0, 0}, {37, 11, 1, 2, 1, NAN, 3},
    {37, 11, 1, 1, 1.0, INFINITY, 2}, {1, 1, 1, 2, 1.0, 1e-300, 2},   {1920, 1080, 1, 4, 1.0, 0, 0},
};

std::vector<float> Evaluate(const FieldFrame& frame, FieldEvaluation evaluation, int threads) {
  std::vector<float> rgb(3 * size_t{GridColumns(frame)} * GridRows(frame), -7.0f);
  EvaluateField(frame, {GridColumns(frame), rgb.data()}, evaluation, threads);
  return rgb;
}

TEST(FieldKernels, EveryKernelColoursEveryPointAsTheReferenceDoes) {
  for (const FieldEvaluation kernel :
       {FieldEvaluation::Sse2, FieldEvaluation::Avx2, FieldEvaluation::Avx512}) {
    if (!EvaluationSupported(kernel)) continue;
    for (unsigned s = 0; s < std::size(kScenes); ++s) {
      for (int scheme = s + 1 == std::size(kScenes) ? 7 : -1; scheme <= 8; ++scheme) {
        const auto& scene = kScenes[s];
        std::mt19937 random(s * 16 + scheme + 1);
        std::uniform_real_distribution<double> slot(-2.0, 2.0), unit(0.0, 1.2);
        FieldFrame frame{scene.width, scene.height, scene.step, scene.ripples, scheme};
        frame.rippleScale = (4.0 + 14.0 * unit(random)) * scene.frequency;
        frame.invWidth = 1.0 / scene.width;
        frame.invHeight = 1.0 / scene.height;
        frame.verticalFactor = scheme % 3 == 0 ? 1.0 / 2.2 : 1.0;
        frame.fadeLevel = scheme % 4 == 0 ? 0.37f : 1.0f;
        for (double& v : frame.slot) v = slot(random);
        for (double& c : frame.schemeColor) c = unit(random);  // scheme 7 may pass 1
        if (scene.slot == 2) frame.slot[0] = frame.slot[1] = 0.0;
        if (scene.special != 0.0) frame.slot[scene.slot] = scene.special;
        const std::vector<float> got = Evaluate(frame, kernel, 1 + (scheme + 1) % 3);
        const std::vector<float> want = Evaluate(frame, FieldEvaluation::Reference, 1);
        // Within a level everywhere (NaN never), and bit for bit but where the sines differ.
        size_t unequal = 0, far = 0;
        for (size_t k = 0; k < want.size(); ++k) {
          unequal += std::bit_cast<uint32_t>(got[k]) != std::bit_cast<uint32_t>(want[k]);
          far += !(std::fabs(double{got[k]} - double{want[k]}) <= 1.0 / 255);
        }
        EXPECT_EQ(far, 0u) << "kernel " << static_cast<int>(kernel) << ", scene " << s
                           << ", scheme " << scheme;
        EXPECT_LE(unequal * 10000, want.size() * kUnequalPer10000)
            << unequal << " differ, scene " << s;
      }
    }
  }
}

#ifndef _WIN32
// A signal sent to the program reaches the thread whose handler tidies up, never a
// helper caught in the middle of a piece.
TEST(WorkerPool, HelpersLeaveTheEndSignalsToTheCallingThread) {
  struct Seen {
    std::thread::id caller = std::this_thread::get_id();
    std::atomic<int> helped{0}, open{0};
  } seen;
  WorkerPool pool;
  pool.Run(
      3, 64, 1,
      [](void* context, uint32_t, uint32_t) {
        auto& s = *static_cast<Seen*>(context);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));  // every thread gets pieces
        if (std::this_thread::get_id() == s.caller) return;
        sigset_t mask;
        pthread_sigmask(SIG_SETMASK, nullptr, &mask);
        ++s.helped;
        for (const int signal : {SIGTERM, SIGINT, SIGHUP})
          s.open += sigismember(&mask, signal) == 0;
      },
      &seen);
  EXPECT_GT(seen.helped, 0);
  EXPECT_EQ(seen.open, 0);
}
#endif

}  // namespace
