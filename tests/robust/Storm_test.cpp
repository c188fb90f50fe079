// What a keyboard, a mouse and a window manager can throw at the program
// between frames, speeds held until they overflow, and a font that is no font.
#include <GL/freeglut_std.h>
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "app/FrameDriver.h"
#include "app/Settings.h"
#include "app/Shell.h"
#include "tests/support/GlTest.h"
#include "text/TextOverlay.h"

namespace {

bool InRange() {
  auto within = [](int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; };
  return within(rippleCount, 1, 8) && within(settings.letterbox, 0, 6) &&
         within(settings.tesselation, 1, 20) && within(settings.polyMode, 0, 2) &&
         within(settings.colorOption, 0, 7) && within(settings.fov, 10, 178) &&
         within(settings.clearEachFrame | settings.spotlights | settings.fpsClock | paused |
                    helpShown | fullScreen,
                0, 1) &&
         fadeLevel <= 1.0f && std::strlen(overlay.lastText) < 80;
}

TEST(Storm, AHundredThousandEventsBetweenFramesKeepEveryValueInRange) {
  StartProgram(97, 61);
  std::mt19937 random(2024);
  const char keys[] = " ()+,-./?<=>CcFfLlNnOoPpSsTtUuWw[]_{}rR\x1b#";
  int64_t ms = 0;
  for (int event = 0; event < 100000; ++event) {
    const unsigned pick = random() % 100;
    if (pick < 80) {
      TestWindow().Key(static_cast<unsigned char>(keys[random() % (sizeof keys - 1)]));
      if (fadeLevel < 0.5f) Type("r");  // a fade left alone would end the program
    } else if (pick < 90) {
      TestWindow().Special(static_cast<int>(random() % 110));
    } else if (pick < 95) {
      TestWindow().Mouse(static_cast<int>(random() % 3), 0,
                         static_cast<int>(random() % 9000) - 4500, 7);
    } else if (pick < 97) {
      const int sizes[][2] = {{0, 0}, {1, 1}, {7, 3}, {97, 61}, {300, 2}};
      const auto* size = sizes[random() % 5];
      TestWindow().Resize(size[0], size[1]);
      ReshapeHandler(size[0], size[1]);
    } else {
      DisplayAt(ms += random() % 300);
    }
    ASSERT_TRUE(InRange()) << "after event " << event;
  }
}

TEST(Storm, SpeedsHeldToInfinityAndBackStillDrawAndResetRestoresThem) {
  StartProgram(64, 48);
  for (const char* held : {"\x02\x03)+=]", "\x01\x04(_-["}) {
    for (int press = 0; press < 10000; ++press) Type(held);
    int64_t ms = 0;
    for (int frame = 0; frame < 20; ++frame) DisplayAt(ms += 16);
    EXPECT_TRUE(std::isinf(settings.frequency) || settings.frequency < 1e-30f);
    Type("r");
    EXPECT_EQ(settings.frequency * settings.mainSpeed * settings.objectSize, 1.0f);
    DisplayAt(ms += 16);
    const std::vector<uint8_t> picture = Pixels();
    EXPECT_GT(std::count(picture.begin(), picture.end(), 0), 0);
    EXPECT_LT(std::count(picture.begin(), picture.end(), 0), std::ssize(picture) / 2);
  }
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

TEST(Storm, ARefusedFontIsNamedAndStartUpGoesOn) {
  EXPECT_EXIT(StartWithARefusedFont(), testing::ExitedWithCode(0),
              "wendrix: font.bmp refused: not an uncompressed 8, 24 or 32-bit BMP");
}

}  // namespace
