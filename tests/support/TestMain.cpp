// The test binaries' main: every test starts from the process's values at
// launch, whatever the tests before it left (Windows runs them all in one
// process); a test during which the process exits (a stray exit in the code
// under test, say) fails instead of passing unseen.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "app/Process.h"

namespace {
bool testsFinished = false;

class FreshState : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override { ResetProcessState(); }
};

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
  // A death test's child is a fresh process, meant to be one, and meant to exit inside its test.
  if (GTEST_FLAG_GET(internal_run_death_test).empty()) {
    std::atexit(ExitedInsideATest);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshState);  // gtest owns it
  }
  const int result = RUN_ALL_TESTS();
  testsFinished = true;
  return result;
}
