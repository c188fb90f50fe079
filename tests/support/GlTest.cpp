// Test support: the program started afresh on the offscreen window, its clock
// turned by hand, keys typed as the renderer takes them.
#include "tests/support/GlTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "app/Clock.h"
#include "app/Process.h"
#include "app/Shell.h"
#include "windowsystem/TypedKeys.h"

namespace {
// The test process's one window and the GL painter that draws in it; what the
// painter made is given back while the context is still current, before the window closes.
struct TestProgramWindow {
  TestProgramWindow() {
    std::string error;
    if (!window.Open(&error)) {
      std::fprintf(stderr, "offscreen GL context: %s\n", error.c_str());
      std::exit(1);
    }
    UseWindow(&window);
  }
  ~TestProgramWindow() {
    painter.Stop();
    UseWindow(nullptr);
  }
  TestProgramWindow(const TestProgramWindow&) = delete;
  TestProgramWindow& operator=(const TestProgramWindow&) = delete;
  OffscreenWindow window;
  GlPainter painter;
};
TestProgramWindow& Program() {
  static TestProgramWindow program;
  return program;
}
}  // namespace

OffscreenWindow& TestWindow() { return Program().window; }
GlPainter& TestPainter() { return Program().painter; }

void StartProgram(int width, int height, Painter* painter) {
  ResetProcessState();
  StartProgramAsLaunched(width, height, painter);
}

void StartProgramAsLaunched(int width, int height, Painter* painter) {
  OffscreenWindow& window = TestWindow();
  window.Resize(width, height);
  window.fullScreenRequests = window.reshapeRequests = window.swaps = 0;
  UseTurnedCounter();
  ASSERT_TRUE(StartUp(window, painter != nullptr ? *painter : Program().painter, {}, nullptr));
}

bool DisplayAt(int64_t ms) {
  TurnCounterTo(ms);
  return DisplayHandler();
}

void Type(const std::string& keys) {
  std::vector<KeyPress> parsed;
  EXPECT_TRUE(ParseKeys(keys, &parsed, nullptr)) << keys;
  Type(TestWindow(), parsed);
}

std::vector<std::string> TableRows(const char* path) {
  std::vector<std::string> rows;
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line[0] != '#') rows.push_back(line);
  }
  return rows;
}
