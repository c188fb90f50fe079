// Everything a keyboard, a mouse and a window manager can throw at the program
// between frames, and speeds held up (or down) until they overflow.
#include <GL/freeglut_std.h>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/Clock.h"
#include "app/FrameDriver.h"
#include "app/Settings.h"
#include "app/Shell.h"
#include "sim/Oscillators.h"
#include "tests/robust/Program.h"
#include "tests/support/GlTest.h"
#include "text/TextOverlay.h"

namespace {

bool Flag(int32_t value) { return value == 0 || value == 1; }

testing::AssertionResult SettingsInRange() {
  auto fail = [] { return testing::AssertionFailure(); };
  if (rippleCount < 1 || rippleCount > 8) return fail() << "rippleCount " << rippleCount;
  if (settings.letterbox < 0 || settings.letterbox > 6)
    return fail() << "letterbox " << settings.letterbox;
  if (settings.letterbox != std::abs(letterboxSelector))
    return fail() << "letterbox off its selector";
  if (settings.tesselation < 1 || settings.tesselation > 20) {
    return fail() << "tesselation " << settings.tesselation;
  }
  if (settings.polyMode < 0 || settings.polyMode > 2)
    return fail() << "polyMode " << settings.polyMode;
  if (settings.colorOption < 0 || settings.colorOption > 7) {
    return fail() << "colorOption " << settings.colorOption;
  }
  if (settings.fov < 10 || settings.fov > 178) return fail() << "fov " << settings.fov;
  for (int32_t flag : {settings.clearEachFrame, settings.spotlights, settings.textures,
                       settings.universe, settings.fpsClock, paused, helpShown, fullScreen}) {
    if (!Flag(flag)) return fail() << "a flag holds " << flag;
  }
  if (!(fadeLevel >= 0.05f && fadeLevel <= 1.0f)) return fail() << "fadeLevel " << fadeLevel;
  if (std::memchr(overlay.lastText, '\0', kMessageBytes) == nullptr) {
    return fail() << "message without its terminator";
  }
  if (std::strlen(overlay.lastText) > 79)
    return fail() << "message of " << std::strlen(overlay.lastText);
  // A pending message expires at most three seconds after now.
  const double now = elapsedMs * 0.001;
  if (overlay.expiry != 0.0 &&
      !(overlay.expiry >= 3.0 && ClockSecondsBetween(now, overlay.expiry) <= 3.0 + 1e-6)) {
    return fail() << "expiry " << overlay.expiry << " at " << now;
  }
  return testing::AssertionSuccess();
}

// Drains GL's errors; an empty window makes glOrtho refuse its volume, nothing else may fail.
testing::AssertionResult NoGlErrors() {
  const bool empty = screenWidth == 0 || screenHeight == 0;
  for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
    if (!(empty && error == GL_INVALID_VALUE)) {
      return testing::AssertionFailure() << "GL error 0x" << std::hex << error << std::dec << " at "
                                         << screenWidth << "x" << screenHeight;
    }
  }
  return testing::AssertionSuccess();
}

// The keys of the table but Escape and reset, which the storm presses more rarely
// so that fades run long enough to come near their end.
constexpr char kTableKeys[] = " ()+,-./?<=>CcFfLlNnOoPpSsTtUuWw[]_{}";

struct Size {
  int width, height;
};

TEST(Storm, HundredThousandEventsBetweenFramesKeepEveryValueInRange) {
  StartProgram(64, 48);
  std::mt19937 random(20240607);
  auto below = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  auto between = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  int64_t ms = 0;
  int frames = 0, bigFrames = 0, escapes = 0, rescues = 0, wraps = 0;
  std::string event;

  for (int i = 0; i < 100000; ++i) {
    const int kind = below(100);
    if (kind < 50) {
      const int pick = below(10000);
      const unsigned char key =
          pick < 4      ? 27
          : pick < 8    ? "rR"[pick % 2]
          : pick < 1000 ? static_cast<unsigned char>(below(256))
                        : static_cast<unsigned char>(kTableKeys[below(sizeof kTableKeys - 1)]);
      escapes += key == 27;
      event = "key " + std::to_string(key);
      TestWindow().Key(key);
    } else if (kind < 65) {
      const int key = below(5) < 3 ? GLUT_KEY_LEFT + below(4) : between(-5, 300);
      event = "special " + std::to_string(key);
      TestWindow().Special(key);
    } else if (kind < 85) {
      const int button = below(5), state = below(2);
      const int x = between(-70000, 70000), y = between(-70000, 70000);
      event =
          "mouse " + std::to_string(button) + " at " + std::to_string(x) + "," + std::to_string(y);
      TestWindow().Mouse(button, state, x, y);
    } else {
      static const Size kSizes[] = {{0, 0}, {1, 1}, {7, 3}};
      // Mostly tiny; a window of 4096x4096 is rare, as its buffers alone take time.
      const int pick = below(1000);
      const Size size = pick < 750   ? kSizes[pick % 3]
                        : pick < 999 ? Size{between(1, 64), between(1, 64)}
                                     : Size{4096, 4096};
      event = "reshape " + std::to_string(size.width) + "x" + std::to_string(size.height);
      Reshape(size.width, size.height);
    }
    ASSERT_TRUE(SettingsInRange()) << "after event " << i << ", " << event;
    ASSERT_TRUE(NoGlErrors()) << "after event " << i << ", " << event;

    // Frames fall between events; at 4096x4096 only the first two are drawn, for time.
    const bool big = screenWidth == 4096;
    if (big ? bigFrames < 2 : below(16) == 0) {
      // Escape fades the program out and the fade would end the storm; when this
      // frame could take fadeLevel under 0.05 (a frame lowers it by at most
      // 0.1 s x 0.35), the reset key - the one key that cancels a fade - goes first.
      if (fadeLevel < 1.0f && fadeLevel - 0.1 * 0.35 < 0.05) {
        TestWindow().Key('r');
        ++rescues;
      }
      const int pick = below(1000);
      const int64_t step = pick < 700   ? between(0, 40)
                           : pick < 950 ? between(41, 500)
                           : pick < 997 ? between(501, 600000)                 // a stall
                                        : int64_t{between(1, 20)} * 86400000;  // days
      wraps += (ms + step) / kTurnMs != ms / kTurnMs;
      ms += step;
      DisplayAt(ms);
      ++frames;
      bigFrames += big;
      ASSERT_GE(frameDelta, 0.0f) << "frame " << frames;
      ASSERT_LE(frameDelta, 0.1f) << "frame " << frames;
      ASSERT_TRUE(SettingsInRange()) << "after frame " << frames << " at " << ms << " ms";
      ASSERT_TRUE(overlay.expiry == 0.0 ||
                  ClockSecondsBetween(elapsedMs * 0.001, overlay.expiry) > 0)
          << "a message outlived its expiry";
      ASSERT_TRUE(NoGlErrors()) << "after frame " << frames;
    }
  }
  EXPECT_EQ(TestWindow().swaps, frames);
  EXPECT_GT(frames, 5000);
  EXPECT_GE(bigFrames, 1) << "no frame at 4096x4096";
  EXPECT_GT(escapes, 20);
  EXPECT_GT(rescues, 0) << "no fade came near its end";
  EXPECT_GE(wraps, 1) << "the clock never wrapped";
}

// Held keys and the values they drive: up to infinity, or down to zero. The
// camera moves by steps and stays finite.
struct HeldKey {
  const char* name;
  int special;  // a GLUT special key, or 0
  char key;     // otherwise this key
  float* value;
  float limit;  // where 10,000 presses leave it
  float start;  // the default the reset key restores
  const char* message;
};

const float kInf = INFINITY;

const HeldKey kHeldKeys[] = {
    {"Right", GLUT_KEY_RIGHT, 0, &settings.mainSpeed, kInf, 1, "Main Speed:  inf\n"},
    {"Up", GLUT_KEY_UP, 0, &settings.frequency, kInf, 1, "Frequency:  inf\n"},
    {"LightFaster", 0, ')', &settings.lightRotateSpeed, kInf, 1, "Light Rotate Speed:  inf\n"},
    {"MoveFaster", 0, '+', &settings.movementSpeed, kInf, 1, "Movement Speed:  inf\n"},
    {"RotateFaster", 0, '=', &settings.rotateSpeed, kInf, 1, "Rotate Speed:  inf\n"},
    {"Bigger", 0, ']', &settings.objectSize, kInf, 1, "Object Size:  inf\n"},
    {"Left", GLUT_KEY_LEFT, 0, &settings.mainSpeed, 0, 1, "Main Speed: 0.00\n"},
    {"Down", GLUT_KEY_DOWN, 0, &settings.frequency, 0, 1, "Frequency: 0.00\n"},
    {"LightSlower", 0, '(', &settings.lightRotateSpeed, 0, 1, "Light Rotate Speed: 0.00\n"},
    {"MoveSlower", 0, '_', &settings.movementSpeed, 0, 1, "Movement Speed: 0.00\n"},
    {"RotateSlower", 0, '-', &settings.rotateSpeed, 0, 1, "Rotate Speed: 0.00\n"},
    {"Smaller", 0, '[', &settings.objectSize, 0, 1, "Object Size: 0.00\n"},
    {"CameraIn", 0, '}', &settings.cameraZ, 1000, 0, nullptr},
    {"CameraOut", 0, '{', &settings.cameraZ, -1000, 0, nullptr},
};

void Press(const HeldKey& c) {
  if (c.special != 0) {
    TestWindow().Special(c.special);
  } else {
    TestWindow().Key(static_cast<unsigned char>(c.key));
  }
}

// Colours of the picture below the top 20 rows, which the message covers.
size_t Colours() {
  const std::vector<uint8_t> rgb = TestWindow().ReadRgb();
  std::set<uint32_t> colours;
  const size_t start = static_cast<size_t>(TestWindow().WindowWidth()) * 20 * 3;
  for (size_t i = start; i + 2 < rgb.size(); i += 3) {
    colours.insert(rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]);
  }
  return colours.size();
}

bool BankFinite() {
  for (int i = 0; i < 60; ++i) {
    if (!std::isfinite(oscillatorBank.phase[i])) return false;
  }
  return true;
}

TEST(HeldKeys, TenThousandPressesEachThenResetBringsItBack) {
  StartProgram(64, 48);
  int64_t ms = 0;
  for (const HeldKey& c : kHeldKeys) {
    SCOPED_TRACE(c.name);
    const int swapsBefore = TestWindow().swaps;
    for (int press = 1; press <= 10000; ++press) {
      Press(c);
      ASSERT_LE(std::strlen(overlay.lastText), 79u) << "press " << press;
      if (press % 50 == 0) DisplayAt(ms += 16);
    }
    EXPECT_EQ(TestWindow().swaps, swapsBefore + 200) << "frames stopped";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    if (c.limit == kInf) {
      EXPECT_EQ(*c.value, kInf);
      EXPECT_STREQ(overlay.lastText, c.message);
    } else if (c.message != nullptr) {
      // Down by 0.9 a press ends a few steps above 0, where the float rounds back up.
      EXPECT_GE(*c.value, 0.0f);
      EXPECT_LT(*c.value, FLT_MIN);
      EXPECT_STREQ(overlay.lastText, c.message);
    } else {
      // The camera's steps add up with float rounding; the message shows the value.
      EXPECT_NEAR(*c.value, c.limit, 1.0);
      double shown = 0;
      ASSERT_EQ(std::sscanf(overlay.lastText, "CameraZ: %lf", &shown), 1) << overlay.lastText;
      EXPECT_NEAR(shown, *c.value, 0.01);
    }

    TestWindow().Key('r');
    EXPECT_EQ(*c.value, c.start);
    EXPECT_STREQ(overlay.lastText, "Reset");
    for (int frame = 0; frame < 10; ++frame) DisplayAt(ms += 16);
    EXPECT_TRUE(BankFinite());
    EXPECT_GT(Colours(), 10u) << "no ripples after the reset";
  }
}

TEST(HeldKeys, EverySpeedAtInfinityAtOnceFlattensThePictureUntilReset) {
  StartProgram(64, 48);
  int64_t ms = 0;
  DisplayAt(ms += 16);
  ASSERT_GT(Colours(), 10u);
  for (const HeldKey& c : kHeldKeys) {
    if (c.limit != kInf) continue;
    for (int press = 0; press < 10000; ++press) Press(c);
  }
  for (int frame = 0; frame < 100; ++frame) DisplayAt(ms += 16);
  EXPECT_EQ(TestWindow().swaps, 101);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  // The premise: the overflow did reach the picture.
  EXPECT_FALSE(BankFinite());
  EXPECT_LE(Colours(), 2u);  // one colour, and the black strip the grid leaves at the edge

  TestWindow().Key('r');
  for (const HeldKey& c : kHeldKeys) EXPECT_EQ(*c.value, c.start) << c.name;
  for (int frame = 0; frame < 10; ++frame) DisplayAt(ms += 16);
  EXPECT_TRUE(BankFinite());
  EXPECT_GT(Colours(), 10u);
}

}  // namespace
