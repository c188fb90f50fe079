// The whole key table: each row types its keys into a freshly started program
// and checks the value they leave and the message they show.
#include "app/Controls.h"

#include <GL/freeglut_std.h>
#include <gtest/gtest.h>

#include <string>

#include "app/Clock.h"
#include "app/FrameDriver.h"
#include "app/Settings.h"
#include "app/Shell.h"
#include "tests/support/GlTest.h"
#include "text/TextOverlay.h"

namespace {

struct KeyCase {
  const char* name;
  std::string keys;  // typed in order; '\x01'..'\x04' stand for left, up, right, down
  double (*value)();
  double expected;
  const char* message;  // the remembered message afterwards
};

// Names the row in test output instead of dumping its bytes.
void PrintTo(const KeyCase& c, std::ostream* out) { *out << c.name; }

constexpr const char* kStartMessage = "Press ? key for Help Screen";

double Fov() { return settings.fov; }
double Tesselation() { return settings.tesselation; }
double Letterbox() { return settings.letterbox; }
double Ripples() { return rippleCount; }
double Color() { return settings.colorOption; }
double PolyMode() { return settings.polyMode; }
double Clear() { return settings.clearEachFrame; }
double Help() { return helpShown; }
double Fps() { return settings.fpsClock; }
double Paused() { return paused; }
double Spot() { return settings.spotlights; }
double Textures() { return settings.textures; }
double Universe() { return settings.universe; }
double Fade() { return fadeLevel; }
double LightSpeed() { return settings.lightRotateSpeed; }
double MoveSpeed() { return settings.movementSpeed; }
double RotateSpeed() { return settings.rotateSpeed; }
double ObjectSize() { return settings.objectSize; }
double CameraZ() { return settings.cameraZ; }
double MainSpeed() { return settings.mainSpeed; }
double Frequency() { return settings.frequency; }
double FullScreenFlag() { return fullScreen; }

std::string Times(const char* keys, int n) {
  std::string typed;
  for (int i = 0; i < n; ++i) typed += keys;
  return typed;
}

const KeyCase kCases[] = {
    {"LightSlower", "(", LightSpeed, 0.9f, "Light Rotate Speed: 0.90\n"},
    {"LightFaster", ")", LightSpeed, 1.111111f, "Light Rotate Speed: 1.11\n"},
    {"MoveFaster", "+", MoveSpeed, 1.111111f, "Movement Speed: 1.11\n"},
    {"MoveSlower", "_", MoveSpeed, 0.9f, "Movement Speed: 0.90\n"},
    {"RotateSlower", "-", RotateSpeed, 0.9f, "Rotate Speed: 0.90\n"},
    {"RotateFaster", "=", RotateSpeed, 1.111111f, "Rotate Speed: 1.11\n"},
    {"DownThenUp", "-=", RotateSpeed, 0.99999988f, "Rotate Speed: 1.00\n"},
    {"SizeDown", "[", ObjectSize, 0.9f, "Object Size: 0.90\n"},
    {"SizeUp", "]", ObjectSize, 1.111111f, "Object Size: 1.11\n"},
    {"CameraBack", "{", CameraZ, -0.1f, "CameraZ: -0.10\n"},
    {"CameraIn", "}}}", CameraZ, static_cast<float>(static_cast<float>(0.1f + 0.1) + 0.1),
     "CameraZ: 0.30\n"},
    {"FovUp", ",", Fov, 112, "FOV: 112 Degrees\n"},
    {"FovStopsAt178", Times(",", 35), Fov, 178, "FOV: 178 Degrees\n"},
    {"FovDown", ".", Fov, 108, "FOV: 108 Degrees\n"},
    {"FovStopsAt10", Times(".", 60), Fov, 10, "FOV:  10 Degrees\n"},
    {"Finer", "<", Tesselation, 5, "Tesselation: 5\n"},
    {"FinestStays1", Times("<", 9), Tesselation, 1, "Tesselation: 1\n"},
    {"Coarser", ">", Tesselation, 7, "Tesselation: 7\n"},
    {"CoarsestStays20", Times(">", 20), Tesselation, 20, "Tesselation: 20\n"},
    {"ClockOn", "c", Fps, 1, "Frame/Second Clock On"},
    {"ClockOff", "cC", Fps, 0, "Frame/Second Clock Off"},
    {"Letterbox1", "l", Letterbox, 1, "Letterbox: 1"},
    {"Letterbox6", Times("l", 6), Letterbox, 6, "Letterbox: 6"},
    {"LetterboxTurns", Times("l", 7), Letterbox, 5, "Letterbox: 5"},
    {"LetterboxBackTo1", Times("L", 11), Letterbox, 1, "Letterbox: 1"},
    {"LetterboxBackTo0", Times("l", 12), Letterbox, 0, "Letterbox: 0"},
    {"LetterboxUpAgain", Times("l", 13), Letterbox, 1, "Letterbox: 1"},
    {"Ripples5", "n", Ripples, 5, "# Overlapping Ripples: 5"},
    {"Ripples8", "nnnN", Ripples, 8, "# Overlapping Ripples: 8"},
    {"RipplesTurn", Times("n", 5), Ripples, 7, "# Overlapping Ripples: 7"},
    {"RipplesDownTo1", Times("n", 11), Ripples, 1, "# Overlapping Ripples: 1"},
    {"RipplesSkip0", Times("n", 12), Ripples, 2, "# Overlapping Ripples: 2"},
    {"ResetKeepsSelector", Times("n", 9) + "rn", Ripples, 2, "# Overlapping Ripples: 2"},
    {"Option1", "o", Color, 1, "Option 1/7: Blue Center"},
    {"Option2", "oO", Color, 2, "Option 2/7: Red Edges"},
    {"Option3", Times("o", 3), Color, 3, "Option 3/7: Yellow-Green"},
    {"Option4", Times("o", 4), Color, 4, "Option 4/7: Eggs"},
    {"Option5", Times("o", 5), Color, 5, "Option 5/7: Clouds"},
    {"Option6", Times("o", 6), Color, 6, "Option 6/7: Fuzzy Blue Edges"},
    {"Option7", Times("o", 7), Color, 7, "Option 7/7: 3 Random Colors"},
    {"Option0", Times("o", 8), Color, 0, "Option 0/7: Sharp Blue Edges"},
    {"Pause", "p", Paused, 1, "Pause Action"},
    {"Continue", "pP", Paused, 0, "Continue Action"},
    {"SpotOn", "s", Spot, 1, "SpotLights On"},
    {"SpotOff", "sS", Spot, 0, "SpotLights Off"},
    {"TexturesOn", "t", Textures, 1, "Textures On"},
    {"TexturesOff", "tT", Textures, 0, "Textures Off"},
    {"UniverseOn", "U", Universe, 1, "Universe On"},
    {"UniverseOff", "uu", Universe, 0, "Universe Off"},
    {"Lines", "w", PolyMode, 1, "PolyMode 2/3: Lines"},
    {"Points", "wW", PolyMode, 2, "PolyMode 3/3: Points"},
    {"Polygons", "www", PolyMode, 0, "PolyMode 1/3: Polygons"},
    {"SpaceFlipsClearing", " ", Clear, 0, kStartMessage},
    {"SpaceTwice", "  ", Clear, 1, kStartMessage},
    {"Help", "?", Help, 1, kStartMessage},
    {"HelpSlash", "/", Help, 1, kStartMessage},
    {"HelpOff", "?/", Help, 0, kStartMessage},
    {"EscapeFades", "\x1b", Fade, 0.999f, kStartMessage},
    {"EscapeHidesHelp", "?\x1b", Help, 0, kStartMessage},
    {"EscapeClears", " \x1b", Clear, 1, kStartMessage},
    {"ResetCancelsFade", "\x1br", Fade, 1.0, "Reset"},
    {"ResetRestoresAll", "nn>>osp\x01r", Ripples, 4, "Reset"},
    {"ResetLeavesLetterbox", "llr", Letterbox, 2, "Reset"},
    {"WindowOnF", "f", FullScreenFlag, 0, kStartMessage},
    {"FullScreenAgain", "fF", FullScreenFlag, 1, kStartMessage},
    {"MainSlower", "\x01", MainSpeed, 0.9f, "Main Speed: 0.90\n"},
    {"MainFaster", "\x03", MainSpeed, 1.111111f, "Main Speed: 1.11\n"},
    {"FrequencyUp", "\x02", Frequency, 1.111111f, "Frequency: 1.11\n"},
    {"FrequencyDown", "\x04", Frequency, 0.9f, "Frequency: 0.90\n"},
    {"UnknownKey", "x#9", Tesselation, 6, kStartMessage},
};

class KeyTable : public testing::TestWithParam<KeyCase> {};

TEST_P(KeyTable, LeavesItsValueAndMessage) {
  const KeyCase& c = GetParam();
  OffscreenWindow& window = TestWindow();
  ReshapeHandler(window.WindowWidth(), window.WindowHeight());
  PreInit();
  Init();
  const int specials[] = {GLUT_KEY_LEFT, GLUT_KEY_UP, GLUT_KEY_RIGHT, GLUT_KEY_DOWN};
  for (char key : c.keys) {
    if (key >= 1 && key <= 4) {
      window.Special(specials[key - 1]);
    } else {
      window.Key(static_cast<unsigned char>(key));
    }
  }
  EXPECT_EQ(c.value(), c.expected);
  EXPECT_STREQ(overlay.lastText, c.message);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyTable, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<KeyCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(Keys, FullScreenKeyAsksForA512Window) {
  OffscreenWindow& window = TestWindow();
  Init();
  window.Key('f');
  EXPECT_EQ(window.reshapeRequests, 1);
  EXPECT_EQ(window.requestedWidth, 512);
  EXPECT_EQ(window.requestedHeight, 512);
  window.Key('F');
  EXPECT_EQ(window.fullScreenRequests, 2);  // Init's, then this one
}

TEST(Keys, MessagesAreShownForThreeSecondsFromTheKey) {
  OffscreenWindow& window = TestWindow();
  Init();
  elapsedMs = 12345;
  window.Key('r');
  EXPECT_DOUBLE_EQ(overlay.expiry, 15.345);
}

TEST(Mouse, LeftButtonRecordsThePositionFromTheCentre) {
  OffscreenWindow& window = TestWindow();
  Init();
  ReshapeHandler(641, 480);
  const struct {
    int button, state, x, y, mouseX, mouseY;
  } events[] = {
      {GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 50, -220, -190},
      {GLUT_LEFT_BUTTON, GLUT_UP, 0, 480, -320, 240},  // -320.5 truncates toward zero
      {GLUT_RIGHT_BUTTON, GLUT_DOWN, 5, 5, -320, 240},
      {GLUT_MIDDLE_BUTTON, GLUT_UP, 5, 5, -320, 240},
  };
  for (const auto& e : events) {
    window.Mouse(e.button, e.state, e.x, e.y);
    EXPECT_EQ(mouseX, e.mouseX);
    EXPECT_EQ(mouseY, e.mouseY);
  }
}

}  // namespace
