// The test binaries' main: a test during which the process exits (a stray
// exit in the code under test, say) fails instead of passing unseen.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {
bool testsFinished = false;

void ExitedInsideATest() {
  if (testsFinished) return;
  std::fputs("FAILED: the process exited before its tests finished\n", stderr);
  std::_Exit(1);
}
}  // namespace

int main(int argc, char** argv) {
#ifndef _WIN32
  // Mesa's surfaceless platform and its software rasteriser: no display, the same pixels anywhere.
  setenv("EGL_PLATFORM", "surfaceless", 0);
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
#endif
  testing::InitGoogleTest(&argc, argv);
  // Mesa runs threads: death tests re-run the binary rather than fork it.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // A death test's child is meant to exit inside its test.
  if (GTEST_FLAG_GET(internal_run_death_test).empty()) std::atexit(ExitedInsideATest);
  const int result = RUN_ALL_TESTS();
  testsFinished = true;
  return result;
}
