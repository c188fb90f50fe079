// The command lines Windows and other programs start a screen saver with.
#include "winsaver/ScrArguments.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ScrArguments, EveryFormWindowsWrites) {
  const struct {
    std::vector<const char*> args;
    ScrMode mode;
    uintptr_t window;
  } cases[] = {
      {{}, ScrMode::kSettings, 0},
      {{"/c"}, ScrMode::kSettings, 0},
      {{"/c:1234"}, ScrMode::kSettings, 1234},
      {{"-C", "99"}, ScrMode::kSettings, 99},
      {{"/s"}, ScrMode::kFullScreen, 0},
      {{"-S"}, ScrMode::kFullScreen, 0},
      {{"/p", "1234"}, ScrMode::kPreview, 1234},
      {{"/P:65538"}, ScrMode::kPreview, 65538},
      {{"/p"}, ScrMode::kNothing, 0},  // a preview needs its window
      {{"/p", "0x12"}, ScrMode::kNothing, 0},
      {{"/p:"}, ScrMode::kNothing, 0},
      {{"/a"}, ScrMode::kNothing, 0},
      {{"/save"}, ScrMode::kNothing, 0},
      {{"s"}, ScrMode::kNothing, 0},
  };
  for (const auto& c : cases) {
    const ScrCommand command = ParseScrArguments(static_cast<int>(c.args.size()), c.args.data());
    const char* first = c.args.empty() ? "(none)" : c.args[0];
    EXPECT_EQ(command.mode, c.mode) << first;
    EXPECT_EQ(command.window, c.window) << first;
  }
}

}  // namespace
