// The registry's texts held to the screen savers' ranges: each value kept or refused.
#include "winsaver/SaverSettings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SaverSettings, EachValueWithinItsRangeAndNoOther) {
  const struct {
    const char* name;
    const char* text;
    bool taken;
  } cases[] = {
      {"Scheme", "7", true},       {"Scheme", "8", false},        {"Scheme", "random", true},
      {"Scheme", "-1", false},     {"Ripples", "1", true},        {"Ripples", "9", false},
      {"Tesselation", "20", true}, {"Tesselation", "0", false},   {"Letterbox", "6", true},
      {"Letterbox", "7", false},   {"Speed", "0.5", true},        {"Speed", "0", false},
      {"Frequency", "100", true},  {"Frequency", "100.5", false}, {"Frequency", "nan", false},
      {"SpotLight", "1", true},    {"SpotLight", "2", false},     {"FrameRate", "", false},
      {"Ripple", "4", false},  // no such value
  };
  for (const auto& c : cases) {
    SceneOptions options;
    options.ripples = 3;  // a refused text leaves what was there; "Ripples" "1" changes it
    EXPECT_EQ(TakeSetting(c.name, c.text, &options, nullptr), c.taken) << c.name << " " << c.text;
    EXPECT_EQ(options.ripples, c.taken && std::string(c.name) == "Ripples" ? 1 : 3) << c.name;
  }
  SceneOptions options;
  ASSERT_TRUE(TakeSetting("Scheme", "random", &options, nullptr) &&
              TakeSetting("Scheme", "2", &options, nullptr));
  EXPECT_EQ(options.scheme, 2);
  EXPECT_FALSE(options.randomScheme);  // the last word counts
}

}  // namespace
