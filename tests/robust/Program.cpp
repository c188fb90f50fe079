#include "tests/robust/Program.h"

#include <gtest/gtest.h>

#include "app/Clock.h"
#include "app/Shell.h"
#include "tests/support/GlTest.h"

int64_t counterMs = 0;

namespace {
int64_t CounterMs() { return counterMs; }
}  // namespace

void StartProgram(int width, int height) {
  Reshape(width, height);
  ASSERT_TRUE(PreInit());
  SetCounterSource(CounterMs, 1000);
  counterMs = 0;
  StartClock();
  ASSERT_TRUE(Init());
}

void DisplayAt(int64_t ms) {
  counterMs = ms;
  DisplayHandler();
}

void Reshape(int width, int height) {
  TestWindow().Resize(width, height);
  ReshapeHandler(width, height);
}
