// The key table (Controls_test.txt): each row types its keys into a freshly
// started program and checks the value they leave and the message they
// remember; then the keys held past every limit, and the mouse.
#include "app/Controls.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "sim/Lighting.h"
#include "state/Frame.h"
#include "state/Settings.h"
#include "tests/support/GlTest.h"
#include "text/TextOverlay.h"
#include "windowsystem/Keys.h"

namespace {

// Every value a row of the key table may read, as " NAME VALUE" pairs; black is 1 when
// every pixel of the window is.
std::string State() {
  const SimSettings& s = settings;
  const OffscreenWindow& w = TestWindow();
  const float* specular = spotLight.materialSpecular;
  const std::vector<uint8_t> pixels = Pixels();
  const bool defaults =  // every setting at its default
      s.fov == 110 && s.tesselation == 6 && s.clearEachFrame == 1 && s.rotateSpeed == 1 &&
      s.movementSpeed == 1 && s.mainSpeed == 1 && s.frequency == 1 && s.cameraZ == 0 &&
      s.objectSize == 1 && s.lightRotateSpeed == 1 && rippleCount == 4 && paused == 0 &&
      fadeLevel == 1.0f &&
      (s.fpsClock | s.colorOption | s.spotlights | s.textures | s.polyMode | s.universe) == 0;
  std::ostringstream out;
  out << std::setprecision(17) << " fov " << s.fov << " tesselation " << s.tesselation
      << " letterbox " << s.letterbox << " rippleCount " << rippleCount << " colorOption "
      << s.colorOption << " polyMode " << s.polyMode << " clearEachFrame " << s.clearEachFrame
      << " fpsClock " << s.fpsClock << " spotlights " << s.spotlights << " textures " << s.textures
      << " universe " << s.universe << " helpShown " << helpShown << " paused " << paused
      << " fullScreen " << fullScreen << " fadeLevel " << fadeLevel << " lightRotateSpeed "
      << s.lightRotateSpeed << " movementSpeed " << s.movementSpeed << " rotateSpeed "
      << s.rotateSpeed << " objectSize " << s.objectSize << " cameraZ " << s.cameraZ
      << " mainSpeed " << s.mainSpeed << " frequency " << s.frequency << " requestedWidth "
      << w.requestedWidth << " requestedHeight " << w.requestedHeight << " fullScreenRequests "
      << w.fullScreenRequests << " specular " << specular[0] << " defaults " << defaults
      << " black " << (std::count(pixels.begin(), pixels.end(), 0) == std::ssize(pixels));
  return out.str();
}

// A row of Controls_test.txt: KEYS | VALUE | EXPECTED | MESSAGE.
struct KeyCase {
  std::string keys, value;
  double expected = 0;
  std::string message;
};
void PrintTo(const KeyCase& c, std::ostream* out) { *out << '"' << c.keys << '"'; }

std::vector<KeyCase> KeyTable() {
  std::vector<KeyCase> rows;
  for (const std::string& line : TableRows(WENDRIX_KEY_TABLE)) {
    std::smatch field;
    std::regex_match(line, field, std::regex(R"((.*?) \| (.*?) \| (.*?) \| (.*))"));
    std::string message = field[4];
    for (size_t n; (n = message.find("\\n")) != std::string::npos;) message.replace(n, 2, "\n");
    rows.push_back({field[1], field[2], std::stod(field[3]), message});
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
  const std::string state = State() + " ";
  const size_t at = state.find(" " + c.value + " ");
  ASSERT_NE(at, std::string::npos) << c.value;
  EXPECT_EQ(std::stod(state.substr(at + c.value.size() + 2)), c.expected) << state;
  EXPECT_STREQ(overlay.lastText, c.message.c_str());
}

INSTANTIATE_TEST_SUITE_P(Table, Keys, testing::ValuesIn(KeyTable()));

TEST(Keys, SpeedsHeldToInfinityAndBackStillDrawAndResetRestoresThem) {
  StartProgram(64, 48);
  for (const char* held : {"<up><right>)+=]", "<left><down>(_-["}) {
    for (int press = 0; press < 10000; ++press) Type(held);
    int64_t ms = 0;
    for (int frame = 0; frame < 20; ++frame) DisplayAt(ms += 16);
    EXPECT_TRUE(std::isinf(settings.frequency) || settings.frequency < 1e-30f);
    Type("r");  // what it restores is the key table's
    DisplayAt(ms + 16);
    const std::vector<uint8_t> picture = Pixels();
    EXPECT_GT(std::count(picture.begin(), picture.end(), 0), 0);
    EXPECT_LT(std::count(picture.begin(), picture.end(), 0), std::ssize(picture) / 2);
  }
}

TEST(Mouse, LeftButtonRecordsThePositionFromTheCentre) {
  StartProgram(641, 480);
  // Button, state, x and y, then mouseX and mouseY: -320.5 truncates toward zero; other
  // buttons do nothing.
  const int events[][6] = {{kLeftButton, kButtonDown, 100, 50, -220, -190},
                           {kLeftButton, kButtonUp, 0, 480, -320, 240},
                           {kRightButton, kButtonDown, 5, 5, -320, 240},
                           {kMiddleButton, kButtonUp, 5, 5, -320, 240}};
  for (const auto& e : events) {
    TestWindow().Mouse(e[0], e[1], e[2], e[3]);
    EXPECT_EQ(mouseX, e[4]);
    EXPECT_EQ(mouseY, e[5]);
  }
}

}  // namespace
