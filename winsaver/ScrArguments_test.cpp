// The command lines Windows and other programs start a screen saver with.
#include "winsaver/ScrArguments.h"

#include <gtest/gtest.h>

namespace {

TEST(ScrArguments, EveryFormWindowsWrites) {
  using enum ScrMode;
  // Up to two arguments ("": none there), then what they ask for; a preview needs its window.
  const struct {
    const char *first, *second;
    ScrMode mode;
    uintptr_t window;
  } cases[] = {{"", "", kSettings, 0},           {"/c", "", kSettings, 0},
               {"/c:1234", "", kSettings, 1234}, {"-C", "99", kSettings, 99},
               {"/s", "", kFullScreen, 0},       {"-S", "", kFullScreen, 0},
               {"/p", "1234", kPreview, 1234},   {"/P:65538", "", kPreview, 65538},
               {"/p", "", kNothing, 0},          {"/p", "0x12", kNothing, 0},
               {"/p:", "", kNothing, 0},         {"/a", "", kNothing, 0},
               {"/save", "", kNothing, 0},       {"s", "", kNothing, 0}};
  for (const auto& c : cases) {
    const char* args[] = {c.first, c.second};
    const ScrCommand command = ParseScrArguments((*c.first != 0) + (*c.second != 0), args);
    EXPECT_EQ(command.mode, c.mode) << c.first;
    EXPECT_EQ(command.window, c.window) << c.first;
  }
}

}  // namespace
