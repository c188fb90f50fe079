// Test support: the program started afresh on the offscreen window, its clock
// turned by hand, keys typed as the renderer takes them.
#include "tests/support/GlTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

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
  previousTime = overlay.expiry = nowSeconds = frameDelta = 0.0f;
  previousMs = elapsedMs = 0;
  nextFpsTime = 1.0;
  fpsValue = 30;
  oscillatorBank = {};
  fieldPath = {};
  SetCounterSource(CounterMs, 1000);
  counterMs = 0;
  ASSERT_TRUE(StartUp(window, {}, nullptr));
}

void TurnClockTo(int64_t ms) { counterMs = ms; }

void DisplayAt(int64_t ms) {
  TurnClockTo(ms);
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

std::vector<std::string> TableRows(const char* path) {
  std::vector<std::string> rows;
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line[0] != '#') rows.push_back(line);
  }
  return rows;
}
