// Status messages through the frame driver: formatting, the three-second
// timeline, and the frame-rate line beside them.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/Clock.h"
#include "app/FrameDriver.h"
#include "app/Settings.h"
#include "app/Shell.h"
#include "tests/support/GlTest.h"
#include "text/TextOverlay.h"

namespace {

// A cheap, never-white picture: scheme 0 has no red, the text (without a font) is white blocks.
void SmallProgram(int width, int height) {
  TestWindow().Resize(width, height);
  ReshapeHandler(width, height);
  settings.tesselation = 20;
  settings.clearEachFrame = 1;
  settings.frequency = 1.0f;
  rippleCount = 1;
}

bool WhiteAt(int x, int row) {
  const std::vector<uint8_t> rgb = TestWindow().ReadRgb();
  const uint8_t* p = &rgb[(static_cast<size_t>(row) * TestWindow().WindowWidth() + x) * 3];
  return p[0] == 255 && p[1] == 255 && p[2] == 255;
}

void FrameAt(uint32_t ms) {
  elapsedMs = ms;
  RenderFrame();
}

TEST(Messages, FormatsAreBoundedAndTextIsNeverAFormat) {
  SmallProgram(100, 40);
  const struct {
    std::string shown;
    std::string remembered;
  } cases[] = {
      {[] {
         overlay.ShowMessage("Main Speed: %4.2f\n", 1.0);
         return overlay.lastText;
       }(),
       "Main Speed: 1.00\n"},
      {[] {
         overlay.ShowMessage("FOV: %3.0f Degrees\n", 10.0);
         return overlay.lastText;
       }(),
       "FOV:  10 Degrees\n"},
      {[] {
         overlay.ShowMessage("Letterbox: %d", int32_t{6});
         return overlay.lastText;
       }(),
       "Letterbox: 6"},
      {[] {
         overlay.ShowMessage("100% sure %d %s %n");
         return overlay.lastText;
       }(),
       "100% sure %d %s %n"},
      {[] {
         overlay.ShowMessage("%090d", int32_t{7});
         return overlay.lastText;
       }(),
       std::string(79, '0')},  // cut at the buffer, not written past it
      {[] {
         overlay.ShowMessage(std::string(120, 'z').c_str());
         return overlay.lastText;
       }(),
       std::string(79, 'z')},
      {[] {
         overlay.ShowMessage("Frequency: %4.2f\n", double{3.4e38f});
         return overlay.lastText;
       }(),
       "Frequency: 339999995214436424907732413799364296704.00\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.shown, c.remembered);
}

TEST(Messages, DrawnEveryFrameUntilTheFrameThatReachesItsExpiry) {
  SmallProgram(160, 60);
  elapsedMs = 12345;
  overlay.ShowMessage("Reset");
  EXPECT_DOUBLE_EQ(overlay.expiry, 15.345);
  EXPECT_TRUE(WhiteAt(12, 10)) << "drawn at once, into the buffer of the moment";
  const struct {
    uint32_t ms;
    bool drawn;
  } frames[] = {{12360, true}, {14000, true}, {15344, true}, {15345, false}, {15400, false}};
  for (const auto& frame : frames) {
    FrameAt(frame.ms);
    EXPECT_EQ(WhiteAt(12, 10), frame.drawn) << frame.ms;
    EXPECT_EQ(overlay.expiry != 0.0, frame.drawn) << frame.ms;
  }
}

TEST(Messages, FrameRateLineAndHelpLeaveTheMessageAlone) {
  SmallProgram(640, 480);
  elapsedMs = 0;
  overlay.ShowMessage("Letterbox: %d", int32_t{3});
  settings.fpsClock = 1;
  helpShown = 1;
  FrameAt(100);
  FrameAt(1200);
  EXPECT_STREQ(overlay.lastText, "Letterbox: 3");
  EXPECT_EQ(overlay.lastX, 10);
  EXPECT_EQ(overlay.lastY, 20);
  EXPECT_EQ(overlay.recordFlag, 1);
  FrameAt(2900);
  EXPECT_TRUE(WhiteAt(12, 10));
}

// The columns of the top message rows that a frame-rate line covers.
std::set<int> FrameRateColumns(const std::string& line, int width) {
  std::set<int> columns;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == ' ') continue;
    for (int x = width - 120 + 9 * static_cast<int>(i); x <= width - 111 + 9 * static_cast<int>(i);
         ++x) {
      if (x < width) columns.insert(x);
    }
  }
  return columns;
}

TEST(Messages, FrameRateLineSitsInTheTopRightCorner) {
  const struct {
    int fps;
    const char* text;
  } cases[] = {{60, " 60 Frame/Sec"}, {7, "  7 Frame/Sec"}, {1000, "1000 Frame/Sec"}};
  for (const auto& c : cases) {
    SmallProgram(300, 50);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    overlay.DrawFrameRate(c.fps);
    const std::set<int> expected = FrameRateColumns(c.text, 300);
    for (int x = 0; x < 300; ++x) {
      EXPECT_EQ(WhiteAt(x, 10), expected.count(x) == 1) << c.fps << " at column " << x;
    }
    EXPECT_FALSE(WhiteAt(200, 20)) << "cells fill the top 20 rows only";
  }
  // 60 frames a second: the line is 118 pixels wide and ends 2 short of the edge.
  EXPECT_EQ(*FrameRateColumns(" 60 Frame/Sec", 300).rbegin(), 297);
}

}  // namespace
