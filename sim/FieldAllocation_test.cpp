// Steady frames allocate nothing: every operator new in this binary is counted.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "app/Settings.h"
#include "sim/FieldDrawing.h"
#include "tests/support/GlTest.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  allocations.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

TEST(FieldAllocation, SteadyFramesAllocateNothing) {
  const struct {
    int width, step, spotlights, letterbox;
    FieldDrawn drawn;
  } cases[] = {{331, 6, 0, 0, FieldDrawn::PixelRectangle},
               {331, 1, 0, 0, FieldDrawn::PixelRectangle},
               {331, 1, 1, 0, FieldDrawn::PointArrays},
               {200, 3, 0, 4, FieldDrawn::PointArrays}};
  int64_t ms = 0;
  for (const auto& c : cases) {
    StartProgram(c.width, 207);
    settings.tesselation = c.step;
    settings.spotlights = c.spotlights;
    settings.letterbox = c.letterbox;
    // A new grid sizes its buffers here; llvmpipe also builds a second version
    // of a shader, in C++, once it has run a few frames.
    for (int k = 0; k < 5; ++k) DisplayAt(ms += 16);
    const long before = allocations.load();
    for (int k = 0; k < 20; ++k) DisplayAt(ms += 16);
    EXPECT_EQ(allocations.load() - before, 0) << c.step;
    EXPECT_EQ(lastFieldDrawn, c.drawn) << c.step;
  }
  const long before = allocations.load();  // the count sees what the program allocates
  StartProgram(97, 61);
  EXPECT_GT(allocations.load(), before);
}

}  // namespace
