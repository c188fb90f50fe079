// The program on one offscreen GL window per test process, started afresh by
// every test, with a millisecond counter the test turns by hand; and the tables
// of cases that tests keep as data files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "painters/gl/GlPainter.h"
#include "state/Frame.h"
#include "window/OffscreenWindow.h"

// Opens the window on first use; ends the test binary if EGL fails.
OffscreenWindow& TestWindow();
// The GL painter that draws the program in it.
GlPainter& TestPainter();

// Every process-wide value as at launch (ResetProcessState), the window at
// width x height, then main's order: PreInit, the clock started at counter 0, Init;
// drawn by the GL painter unless another is given.
void StartProgram(int width = kLaunchWidth, int height = kLaunchHeight, Painter* painter = nullptr);
// The same start over whatever values the process holds.
void StartProgramAsLaunched(int width = kLaunchWidth, int height = kLaunchHeight,
                            Painter* painter = nullptr);
// One display event with the counter at ms (it may pass 2^32): clock, frame,
// swap; false once the program has ended.
bool DisplayAt(int64_t ms);
// Types keys written as wendrix-render takes them: "o<esc><left><lt>".
void Type(const std::string& keys);
// The window's pixels, RGB, top row first.
inline std::vector<uint8_t> Pixels() { return TestWindow().ReadRgb(); }
// The rows of a table file: its lines but the blank ones and # comments.
std::vector<std::string> TableRows(const char* path);
