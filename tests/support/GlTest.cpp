// Test support, and the test binaries' main: a test during which the process
// exits (the program's ExitApp, say) fails instead of passing unseen.
#include "tests/support/GlTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/Clock.h"
#include "app/FrameDriver.h"
#include "app/Shell.h"
#include "render/RenderOptions.h"
#include "shared/Frame.h"
#include "shared/Settings.h"
#include "sim/FieldDrawing.h"
#include "sim/Oscillators.h"
#include "text/TextOverlay.h"

namespace {
int64_t counterMs = 0;
int64_t CounterMs() { return counterMs; }
bool testsFinished = false;

void ExitedInsideATest() {
  if (testsFinished) return;
  std::fputs("FAILED: the process exited before its tests finished\n", stderr);
  std::_Exit(1);
}
}  // namespace

OffscreenWindow& TestWindow() {
  static OffscreenWindow* window = [] {
    auto* opened = new OffscreenWindow;  // lives past the static destructors that use GL
    std::string error;
    if (!opened->Open(&error)) {
      std::fprintf(stderr, "offscreen GL context: %s\n", error.c_str());
      std::exit(1);
    }
    UseWindow(opened);
    return opened;
  }();
  return *window;
}

void StartProgram(int width, int height) {
  OffscreenWindow& window = TestWindow();
  window.Resize(width, height);
  window.fullScreenRequests = window.reshapeRequests = window.swaps = 0;
  rippleSelector = 4;
  fullScreen = overlay.recordFlag = 1;
  letterboxSelector = settings.letterbox = helpShown = paused = mouseX = mouseY = 0;
  shellFullScreen = frameCounter = 0;
  overlay.lastText[0] = '\0';
  nowSeconds = frameDelta = 0.0f;
  previousTime = overlay.expiry = 0.0;
  previousMs = elapsedMs = 0;
  nextFpsTime = 1.0;
  fpsValue = 30;
  oscillatorBank = {};
  fieldPath = {};
  SetCounterSource(CounterMs, 1000);
  counterMs = 0;
  ASSERT_TRUE(StartUp(window, {}, nullptr));
}

void DisplayAt(int64_t ms) {
  counterMs = ms;
  DisplayHandler();
}

void Type(const std::string& keys) {
  std::vector<KeyPress> parsed;
  EXPECT_TRUE(ParseKeys(keys, &parsed, nullptr)) << keys;
  for (const KeyPress& key : parsed) {
    if (key.special) TestWindow().Special(key.code);
    if (!key.special) TestWindow().Key(static_cast<unsigned char>(key.code));
  }
}

int main(int argc, char** argv) {
  // Mesa's surfaceless platform and its software rasteriser: no display, the same pixels anywhere.
  setenv("EGL_PLATFORM", "surfaceless", 0);
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
  // A death test's child is meant to exit inside its test.
  bool deathTestChild = false;
  for (int i = 1; i < argc; ++i) {
    deathTestChild |= std::strstr(argv[i], "internal_run_death_test") != nullptr;
  }
  testing::InitGoogleTest(&argc, argv);
  // Mesa runs threads: death tests re-run the binary rather than fork it.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  if (!deathTestChild) std::atexit(ExitedInsideATest);
  const int result = RUN_ALL_TESTS();
  testsFinished = true;
  return result;
}
