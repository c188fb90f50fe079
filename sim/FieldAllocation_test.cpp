// Frames after the first at one window size and step allocate nothing: every
// operator new in this test binary is counted.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "app/Clock.h"
#include "app/FrameDriver.h"
#include "app/Settings.h"
#include "app/Shell.h"
#include "sim/RippleField.h"
#include "tests/support/GlTest.h"

namespace {
std::atomic<long> allocations{0};

void* Allocate(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
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

void StartUp(int width, int height) {
  TestWindow().Resize(width, height);
  ReshapeHandler(width, height);
  PreInit();
  Init();
}

// Operator new calls over `frames` frames of 16 ms each.
long AllocationsOver(int frames) {
  const long before = allocations.load();
  for (int k = 0; k < frames; ++k) {
    elapsedMs += 16;
    RenderFrame();
  }
  return allocations.load() - before;
}

TEST(FieldAllocation, SteadyFramesAllocateNothing) {
  StartUp(331, 207);
  const struct {
    const char* name;
    int step, spotlights, letterbox;
    FieldDrawn drawn;
  } cases[] = {
      {"pixel rectangle", 6, 0, 0, FieldDrawn::PixelRectangle},
      {"pixel rectangle, finest", 1, 0, 0, FieldDrawn::PixelRectangle},
      {"point arrays under the light", 1, 1, 0, FieldDrawn::PointArrays},
      {"point arrays, letterboxed", 3, 0, 4, FieldDrawn::PointArrays},
      {"back to the first", 6, 0, 0, FieldDrawn::PixelRectangle},
  };
  for (const auto& c : cases) {
    settings.tesselation = c.step;
    settings.spotlights = c.spotlights;
    settings.letterbox = c.letterbox;
    // A new grid sizes its buffers here; llvmpipe also builds (with LLVM, in
    // C++) a second version of a shader once it has run a few frames.
    AllocationsOver(5);
    EXPECT_EQ(AllocationsOver(20), 0) << c.name;
    EXPECT_EQ(lastFieldDrawn, c.drawn) << c.name;
  }
  // A new window size is a change too; after it, quiet again.
  TestWindow().Resize(200, 150);
  ReshapeHandler(200, 150);
  AllocationsOver(5);
  EXPECT_EQ(AllocationsOver(20), 0) << "after a resize";
}

TEST(FieldAllocation, TheCounterSeesAllocations) {
  // The test above means something only if the replacement is the one in use.
  const long before = allocations.load();
  static std::vector<int>* volatile kept = nullptr;  // kept where the optimiser cannot drop it
  kept = new std::vector<int>(100);
  EXPECT_EQ(allocations.load() - before, 2);
  delete kept;
}

}  // namespace
