// Status messages: formatted into 80 bytes, never read as formats when given
// as text, and remembered while the frame-rate line and the help page are not.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/GlTest.h"
#include "text/TextOverlay.h"

namespace {

TEST(Messages, FormatsAreBoundedAndTextIsNeverAFormat) {
  StartProgram(100, 40);
  const struct {
    void (*show)();
    std::string remembered;
  } cases[] = {
      {[] { overlay.ShowMessage("FOV: %3.0f Degrees\n", 10.0); }, "FOV:  10 Degrees\n"},
      {[] { overlay.ShowMessage("Letterbox: %d", int32_t{-6}); }, "Letterbox: -6"},
      {[] { overlay.ShowMessage("100% sure %d %s %n"); }, "100% sure %d %s %n"},
      {[] { overlay.ShowMessage("%090d", int32_t{7}); }, std::string(79, '0')},
      {[] { overlay.ShowMessage(std::string(120, 'z').c_str()); }, std::string(79, 'z')},
      {[] { overlay.ShowMessage("%4.2f", double{3.4e38f}); },
       "339999995214436424907732413799364296704.00"},
      {[] { overlay.DrawFrameRate(60); }, "339999995214436424907732413799364296704.00"},
  };
  for (const auto& c : cases) {
    c.show();
    EXPECT_EQ(overlay.lastText, c.remembered);
    EXPECT_EQ(overlay.recordFlag, 1);
  }
}

}  // namespace
