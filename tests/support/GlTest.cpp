#include "tests/support/GlTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

OffscreenWindow& TestWindow() {
  static OffscreenWindow* window = [] {
    auto* opened = new OffscreenWindow;  // lives to process exit, past static destructors
    std::string error;
    if (!opened->Open(640, 480, &error)) {
      std::fprintf(stderr, "offscreen GL context: %s\n", error.c_str());
      std::exit(1);
    }
    UseWindow(opened);
    return opened;
  }();
  return *window;
}

namespace {
// Mesa's software rasteriser runs threads; death tests re-run the binary rather than fork it.
// Set from an environment, once gtest is up: a static initializer here runs before
// gtest's own flag is constructed, which then puts "fast" back.
class ThreadsafeDeathTests : public testing::Environment {
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};
testing::Environment* const deathTestStyle =
    testing::AddGlobalTestEnvironment(new ThreadsafeDeathTests);
}  // namespace
