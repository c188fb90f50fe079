// Start-up and the shell's own callbacks, as main runs them.
#include "app/Shell.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/Clock.h"
#include "app/FrameDriver.h"
#include "tests/support/GlTest.h"
#include "text/TextOverlay.h"

namespace {

TEST(Shell, StartUpGoesFullScreenHidesThePointerAndShowsTheHint) {
  StartProgram();
  EXPECT_EQ(TestWindow().fullScreenRequests, 1);
  EXPECT_TRUE(TestWindow().cursorHidden);
  EXPECT_STREQ(overlay.lastText, "Press ? key for Help Screen");
  EXPECT_EQ(overlay.expiry, 3.0);
  DisplayAt(1500);
  EXPECT_EQ(elapsedMs, 1500u);
  EXPECT_EQ(TestWindow().swaps, 1);
}

TEST(Shell, DefaultKeysToggleFullScreenAndEscapeEndsAtOnce) {
  StartProgram();
  DefaultKeyHandler('f', 0, 0);
  DefaultKeyHandler('x', 0, 0);
  EXPECT_EQ(TestWindow().fullScreenRequests, 2);
  DefaultKeyHandler('F', 0, 0);
  EXPECT_EQ(TestWindow().reshapeRequests, 1);
  EXPECT_EQ(TestWindow().requestedWidth * 1000 + TestWindow().requestedHeight, 640480);
  EXPECT_EXIT(DefaultKeyHandler(27, 0, 0), testing::ExitedWithCode(0), "");
}

// Start-up in a folder whose font.bmp is no bitmap; the folder goes before the exit.
void StartWithARefusedFont() {
  const std::string dir = testing::TempDir() + "wendrix-font-" + std::to_string(getpid());
  std::filesystem::create_directories(dir);
  std::ofstream(dir + "/font.bmp") << "not a bitmap";
  if (chdir(dir.c_str()) != 0) std::exit(2);
  StartProgram(64, 48);
  DisplayAt(16);
  std::filesystem::remove_all(dir);
  std::exit(0);
}

TEST(Shell, ARefusedFontIsNamedAndStartUpGoesOn) {
  EXPECT_EXIT(StartWithARefusedFont(), testing::ExitedWithCode(0),
              "wendrix: font.bmp refused: not an uncompressed 8, 24 or 32-bit BMP");
}

}  // namespace
