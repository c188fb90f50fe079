// The help page's layout, read back as pixels: without a font every cell is a
// white block, so each column of the window shows exactly which lines cross it.
#include "text/HelpScreen.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "app/FrameDriver.h"
#include "app/Shell.h"
#include "tests/support/GlTest.h"
#include "text/TextOverlay.h"

namespace {

// Rows below the start height y0 = 0.09 x window height, line by line.
constexpr int kLineOffsets[kHelpLineCount] = {0,   23,  40,  57,  74,  91,  113, 130, 147, 164,
                                              181, 198, 215, 232, 249, 266, 283, 300, 317, 334,
                                              351, 368, 385, 402, 419, 436, 453, 470, 487};

// Whether any cell of the page covers the pixel (x, row from the top).
bool Covered(int windowHeight, int x, int row) {
  const int y0 = static_cast<int>(windowHeight * 0.09);
  for (int line = 0; line < kHelpLineCount; ++line) {
    const bool title = line == 0;
    const int left = title ? 20 : 30, height = title ? 30 : 18;
    const int step = title ? 13 : 8, width = title ? 15 : 9;
    const int bottom = y0 + kLineOffsets[line];
    if (row < bottom - height || row >= bottom) continue;
    const char* text = kHelpLines[line];
    for (int i = 0; text[i] != '\0'; ++i) {
      if (text[i] != ' ' && x >= left + step * i && x < left + step * i + width) return true;
    }
  }
  return false;
}

TEST(HelpScreen, LinesLieAtTheirOffsetsBelowTheStartHeight) {
  for (int height : {768, 535, 480}) {
    TestWindow().Resize(640, height);
    ReshapeHandler(640, height);
    ApplyView();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    HelpScreen();
    const std::vector<uint8_t> rgb = TestWindow().ReadRgb();
    for (int x : {21, 31, 57, 92, 121, 190, 333, 470, 502, 503}) {
      for (int row = 0; row < height; ++row) {
        const bool white = rgb[(static_cast<size_t>(row) * 640 + x) * 3] == 255;
        ASSERT_EQ(white, Covered(height, x, row))
            << "height " << height << " column " << x << " row " << row;
      }
    }
    EXPECT_EQ(overlay.recordFlag, 1);
  }
  // The farthest point of the page is the separator's last hyphen, ending at x = 503.
  EXPECT_TRUE(Covered(768, 502, 69 + 436 - 1));
  EXPECT_FALSE(Covered(768, 503, 69 + 436 - 1));
  // At 535 rows the last line's bottom edge is the window's bottom edge.
  EXPECT_TRUE(Covered(535, 62, 534));
}

TEST(HelpScreen, LeavesThePendingMessageInPlace) {
  TestWindow();
  overlay.ShowMessage("SpotLights On");
  HelpScreen();
  EXPECT_STREQ(overlay.lastText, "SpotLights On");
  EXPECT_EQ(overlay.recordFlag, 1);
}

}  // namespace
