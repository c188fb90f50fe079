// The key table (Controls_test.txt): each row types its keys into a freshly
// started program and checks the value they leave and the message they
// remember; then the keys whose effect is a picture, a window or a limit.
#include "app/Controls.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "shared/Frame.h"
#include "shared/Keys.h"
#include "shared/Settings.h"
#include "tests/support/GlTest.h"
#include "text/TextOverlay.h"

namespace {

// Every value a row of the key table may read.
const std::map<std::string, std::function<double()>> kValues = {
    {"fov", [] { return settings.fov; }},
    {"tesselation", [] { return settings.tesselation; }},
    {"letterbox", [] { return settings.letterbox; }},
    {"rippleCount", [] { return rippleCount; }},
    {"colorOption", [] { return settings.colorOption; }},
    {"polyMode", [] { return settings.polyMode; }},
    {"clearEachFrame", [] { return settings.clearEachFrame; }},
    {"fpsClock", [] { return settings.fpsClock; }},
    {"spotlights", [] { return settings.spotlights; }},
    {"textures", [] { return settings.textures; }},
    {"universe", [] { return settings.universe; }},
    {"helpShown", [] { return helpShown; }},
    {"paused", [] { return paused; }},
    {"fullScreen", [] { return fullScreen; }},
    {"fadeLevel", [] { return fadeLevel; }},
    {"lightRotateSpeed", [] { return settings.lightRotateSpeed; }},
    {"movementSpeed", [] { return settings.movementSpeed; }},
    {"rotateSpeed", [] { return settings.rotateSpeed; }},
    {"objectSize", [] { return settings.objectSize; }},
    {"cameraZ", [] { return settings.cameraZ; }},
    {"mainSpeed", [] { return settings.mainSpeed; }},
    {"frequency", [] { return settings.frequency; }},
    {"requestedWidth", [] { return TestWindow().requestedWidth; }},
    {"requestedHeight", [] { return TestWindow().requestedHeight; }},
    {"fullScreenRequests", [] { return TestWindow().fullScreenRequests; }},
    {"specular",
     [] {
       GLfloat specular[4] = {};
       glGetMaterialfv(GL_FRONT, GL_SPECULAR, specular);
       return specular[0];
     }},
    {"defaults",  // 1 when every setting holds its default
     [] {
       const SimSettings& s = settings;
       return s.fov == 110 && s.tesselation == 6 && s.clearEachFrame == 1 && s.rotateSpeed == 1 &&
              s.movementSpeed == 1 && s.mainSpeed == 1 && s.frequency == 1 && s.cameraZ == 0 &&
              s.objectSize == 1 && s.lightRotateSpeed == 1 &&
              (s.fpsClock | s.colorOption | s.spotlights | s.textures | s.polyMode | s.universe |
               paused) == 0 &&
              rippleCount == 4 && fadeLevel == 1.0f;
     }},
};

// A row of Controls_test.txt: KEYS | VALUE | EXPECTED | MESSAGE.
struct KeyCase {
  std::string keys, value;
  double expected = 0;
  std::string message;
};
void PrintTo(const KeyCase& c, std::ostream* out) { *out << '"' << c.keys << '"'; }

std::vector<KeyCase> KeyTable() {
  std::vector<KeyCase> rows;
  std::ifstream file(WENDRIX_KEY_TABLE);
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::string field[4];
    for (int k = 0, at = 0; k < 4; ++k) {
      const size_t bar = k < 3 ? line.find(" | ", at) : line.size();
      field[k] = line.substr(at, bar - at);
      at = static_cast<int>(bar) + 3;
    }
    for (size_t n; (n = field[3].find("\\n")) != std::string::npos;) field[3].replace(n, 2, "\n");
    rows.push_back({field[0], field[1], std::stod(field[2]), field[3]});
  }
  return rows;
}

class Keys : public testing::TestWithParam<KeyCase> {};

TEST_P(Keys, LeaveTheirValueAndMessage) {
  const KeyCase& c = GetParam();
  StartProgram();
  int64_t ms = 0;
  size_t from = 0;
  for (size_t end = 0; end != std::string::npos; from = end + 7) {
    end = c.keys.find("<frame>", from);
    Type(c.keys.substr(from, end - from));
    if (end != std::string::npos) DisplayAt(ms += 20);
  }
  ASSERT_EQ(kValues.count(c.value), 1u) << c.value;
  EXPECT_EQ(kValues.at(c.value)(), c.expected);
  EXPECT_STREQ(overlay.lastText, c.message.c_str());
}

INSTANTIATE_TEST_SUITE_P(Table, Keys, testing::ValuesIn(KeyTable()));

TEST(Keys, HelpOffClearsTheScreenOnlyWhileClearingIsOn) {
  for (const bool clearing : {false, true}) {
    StartProgram(64, 64);
    DisplayAt(20);
    if (!clearing) Type("<space>");
    Type("??");
    const std::vector<uint8_t> pixels = Pixels();
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0) == std::ssize(pixels), clearing);
  }
}

TEST(Keys, SpeedsHeldToInfinityAndBackStillDrawAndResetRestoresThem) {
  StartProgram(64, 48);
  for (const char* held : {"<up><right>)+=]", "<left><down>(_-["}) {
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
    int button, state, x, y, mouseX,
        mouseY;  // -320.5 truncates toward zero; other buttons do nothing
  } events[] = {{kLeftButton, kButtonDown, 100, 50, -220, -190},
                {kLeftButton, kButtonUp, 0, 480, -320, 240},
                {kRightButton, kButtonDown, 5, 5, -320, 240},
                {kMiddleButton, kButtonUp, 5, 5, -320, 240}};
  for (const auto& e : events) {
    TestWindow().Mouse(e.button, e.state, e.x, e.y);
    EXPECT_EQ(mouseX, e.mouseX);
    EXPECT_EQ(mouseY, e.mouseY);
  }
}

}  // namespace
