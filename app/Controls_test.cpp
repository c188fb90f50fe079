// The key table: each row types its keys into a freshly started program and
// checks the value they leave and the message they remember. '\x05' in a row
// draws a frame between keys.
#include "app/Controls.h"

#include <GL/freeglut_std.h>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

#include "app/Clock.h"
#include "app/FrameDriver.h"
#include "app/Settings.h"
#include "tests/support/GlTest.h"
#include "text/TextOverlay.h"

namespace {

// 1 when every setting holds its default.
double Defaults() {
  const SimSettings& s = settings;
  return s.fov == 110 && s.tesselation == 6 && s.clearEachFrame == 1 && s.rotateSpeed == 1 &&
         s.movementSpeed == 1 && s.mainSpeed == 1 && s.frequency == 1 && s.cameraZ == 0 &&
         s.objectSize == 1 && s.lightRotateSpeed == 1 &&
         (s.fpsClock | s.colorOption | s.spotlights | s.textures | s.polyMode | s.universe |
          paused) == 0 &&
         rippleCount == 4 && fadeLevel == 1.0f;
}

double Specular() {
  GLfloat specular[4] = {};
  glGetMaterialfv(GL_FRONT, GL_SPECULAR, specular);
  return specular[0];
}

// Where a row reads its result.
struct Value {
  Value(const int32_t& v) : i(&v) {}  // NOLINT(google-explicit-constructor): table rows
  Value(const float& v) : f(&v) {}    // NOLINT(google-explicit-constructor)
  Value(double (*g)()) : fn(g) {}     // NOLINT(google-explicit-constructor)
  double Read() const { return i != nullptr ? *i : f != nullptr ? *f : fn(); }
  const int32_t* i = nullptr;
  const float* f = nullptr;
  double (*fn)() = nullptr;
};

struct KeyCase {
  std::string keys;
  Value value;
  double expected;
  const char* message;
};
void PrintTo(const KeyCase& c, std::ostream* out) { *out << '"' << c.keys << '"'; }

std::string Times(const char* keys, int n) {
  std::string typed;
  for (int i = 0; i < n; ++i) typed += keys;
  return typed;
}

constexpr const char* kStart = "Press ? key for Help Screen";
SimSettings& s = settings;

const KeyCase kCases[] = {
    {"(", s.lightRotateSpeed, 0.9f, "Light Rotate Speed: 0.90\n"},
    {")", s.lightRotateSpeed, 1.111111f, "Light Rotate Speed: 1.11\n"},
    {"+", s.movementSpeed, 1.111111f, "Movement Speed: 1.11\n"},
    {"_", s.movementSpeed, 0.9f, "Movement Speed: 0.90\n"},
    {"-", s.rotateSpeed, 0.9f, "Rotate Speed: 0.90\n"},
    {"=", s.rotateSpeed, 1.111111f, "Rotate Speed: 1.11\n"},
    {"-=", s.rotateSpeed, 0.99999988f, "Rotate Speed: 1.00\n"},
    {"[", s.objectSize, 0.9f, "Object Size: 0.90\n"},
    {"]", s.objectSize, 1.111111f, "Object Size: 1.11\n"},
    {"{", s.cameraZ, -0.1f, "CameraZ: -0.10\n"},
    {"}}}", s.cameraZ, static_cast<float>(static_cast<float>(0.1f + 0.1) + 0.1), "CameraZ: 0.30\n"},
    {",", s.fov, 112, "FOV: 112 Degrees\n"},
    {Times(",", 35), s.fov, 178, "FOV: 178 Degrees\n"},
    {".", s.fov, 108, "FOV: 108 Degrees\n"},
    {Times(".", 60), s.fov, 10, "FOV:  10 Degrees\n"},
    {"<", s.tesselation, 5, "Tesselation: 5\n"},
    {Times("<", 9), s.tesselation, 1, "Tesselation: 1\n"},
    {">", s.tesselation, 7, "Tesselation: 7\n"},
    {Times(">", 20), s.tesselation, 20, "Tesselation: 20\n"},
    {"c", s.fpsClock, 1, "Frame/Second Clock On"},
    {"cC", s.fpsClock, 0, "Frame/Second Clock Off"},
    {"l", s.letterbox, 1, "Letterbox: 1"},
    {Times("l", 6), s.letterbox, 6, "Letterbox: 6"},
    {Times("l", 7), s.letterbox, 5, "Letterbox: 5"},
    {Times("L", 12), s.letterbox, 0, "Letterbox: 0"},
    {Times("l", 13), s.letterbox, 1, "Letterbox: 1"},
    {"n", rippleCount, 5, "# Overlapping Ripples: 5"},
    {"nnnN", rippleCount, 8, "# Overlapping Ripples: 8"},
    {Times("n", 5), rippleCount, 7, "# Overlapping Ripples: 7"},
    {Times("n", 11), rippleCount, 1, "# Overlapping Ripples: 1"},
    {Times("n", 12), rippleCount, 2, "# Overlapping Ripples: 2"},
    {Times("n", 9) + "rn", rippleCount, 2, "# Overlapping Ripples: 2"},
    {"o", s.colorOption, 1, "Option 1/7: Blue Center"},
    {"oO", s.colorOption, 2, "Option 2/7: Red Edges"},
    {Times("o", 3), s.colorOption, 3, "Option 3/7: Yellow-Green"},
    {Times("o", 4), s.colorOption, 4, "Option 4/7: Eggs"},
    {Times("o", 5), s.colorOption, 5, "Option 5/7: Clouds"},
    {Times("o", 6), s.colorOption, 6, "Option 6/7: Fuzzy Blue Edges"},
    {Times("o", 7), s.colorOption, 7, "Option 7/7: 3 Random Colors"},
    {Times("o", 8), s.colorOption, 0, "Option 0/7: Sharp Blue Edges"},
    {"p", paused, 1, "Pause Action"},
    {"pP", paused, 0, "Continue Action"},
    {"s", s.spotlights, 1, "SpotLights On"},
    {"sS", s.spotlights, 0, "SpotLights Off"},
    {"t", s.textures, 1, "Textures On"},
    {"tT", s.textures, 0, "Textures Off"},
    {"U", s.universe, 1, "Universe On"},
    {"uu", s.universe, 0, "Universe Off"},
    {"w", s.polyMode, 1, "PolyMode 2/3: Lines"},
    {"wW", s.polyMode, 2, "PolyMode 3/3: Points"},
    {"www", s.polyMode, 0, "PolyMode 1/3: Polygons"},
    {" ", s.clearEachFrame, 0, kStart},
    {"  ", s.clearEachFrame, 1, kStart},
    {"?", helpShown, 1, kStart},
    {"/", helpShown, 1, kStart},
    {"?/", helpShown, 0, kStart},
    {"\x1b", fadeLevel, 0.999f, kStart},
    {"", Defaults, 1, kStart},
    {"?\x1b", helpShown, 0, kStart},
    {" \x1b", s.clearEachFrame, 1, kStart},
    {"f", fullScreen, 0, kStart},
    {"f", +[] { return TestWindow().requestedWidth * 1000.0 + TestWindow().requestedHeight; },
     512512, kStart},
    {"fF", fullScreen, 1, kStart},
    {"fF", +[] { return TestWindow().fullScreenRequests * 1.0; }, 2, kStart},  // Init's, then F's
    {"\x01", s.mainSpeed, 0.9f, "Main Speed: 0.90\n"},
    {"\x03", s.mainSpeed, 1.111111f, "Main Speed: 1.11\n"},
    {"\x02", s.frequency, 1.111111f, "Frequency: 1.11\n"},
    {"\x04", s.frequency, 0.9f, "Frequency: 0.90\n"},
    {"x#9", s.tesselation, 6, kStart},
    // The light's specular level: 0.6 from start-up, 0.9 from the reset key.
    {"", Specular, 0.6f, kStart},
    {"r", Specular, 0.9f, "Reset"},
    // Reset restores every setting but the letterbox, and ends a fade or a pause.
    {"\x1b(+-[{,<nocpstuw \x01\x02r", Defaults, 1, "Reset"},
    {"llr", s.letterbox, 2, "Reset"},
    // The frame-rate line and the help page draw without being remembered, and
    // leave the next message remembered.
    {"c\x05o", s.colorOption, 1, "Option 1/7: Blue Center"},
    {"?\x05o", s.colorOption, 1, "Option 1/7: Blue Center"},
};

class KeyTable : public testing::TestWithParam<KeyCase> {};

TEST_P(KeyTable, LeavesItsValueAndMessage) {
  const KeyCase& c = GetParam();
  StartProgram();
  int64_t ms = 0;
  size_t from = 0;
  for (size_t frame; (frame = c.keys.find('\x05', from)) != std::string::npos; from = frame + 1) {
    Type(c.keys.substr(from, frame - from).c_str());
    DisplayAt(ms += 20);
  }
  Type(c.keys.substr(from).c_str());
  EXPECT_EQ(c.value.Read(), c.expected);
  EXPECT_STREQ(overlay.lastText, c.message);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyTable, testing::ValuesIn(kCases));

TEST(Keys, HelpOffClearsTheScreenOnlyWhileClearingIsOn) {
  for (const bool clearing : {false, true}) {
    StartProgram(64, 64);
    DisplayAt(20);
    if (!clearing) Type(" ");
    Type("??");
    const std::vector<uint8_t> pixels = Pixels();
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0) == std::ssize(pixels), clearing);
  }
}

TEST(Keys, SpeedsHeldToInfinityAndBackStillDrawAndResetRestoresThem) {
  StartProgram(64, 48);
  for (const char* held : {"\x02\x03)+=]", "\x01\x04(_-["}) {
    for (int press = 0; press < 10000; ++press) Type(held);
    int64_t ms = 0;
    for (int frame = 0; frame < 20; ++frame) DisplayAt(ms += 16);
    EXPECT_TRUE(std::isinf(settings.frequency) || settings.frequency < 1e-30f);
    Type("r");
    EXPECT_EQ(settings.frequency * settings.mainSpeed * settings.objectSize, 1.0f);
    DisplayAt(ms + 16);
    const std::vector<uint8_t> picture = Pixels();
    EXPECT_GT(std::count(picture.begin(), picture.end(), 0), 0);
    EXPECT_LT(std::count(picture.begin(), picture.end(), 0), std::ssize(picture) / 2);
  }
}

TEST(Mouse, LeftButtonRecordsThePositionFromTheCentre) {
  StartProgram(641, 480);
  const struct {
    int button, state, x, y, mouseX, mouseY;
  } events[] = {
      {GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 50, -220, -190},
      {GLUT_LEFT_BUTTON, GLUT_UP, 0, 480, -320, 240},  // -320.5 truncates toward zero
      {GLUT_RIGHT_BUTTON, GLUT_DOWN, 5, 5, -320, 240},
      {GLUT_MIDDLE_BUTTON, GLUT_UP, 5, 5, -320, 240},
  };
  for (const auto& e : events) {
    TestWindow().Mouse(e.button, e.state, e.x, e.y);
    EXPECT_EQ(mouseX, e.mouseX);
    EXPECT_EQ(mouseY, e.mouseY);
  }
}

}  // namespace
