// The registry as the settings dialog leaves it, read back as /s and /p read it: every
// value the dialog writes gives back the picture's options it showed, flags written as 0
// among them. HKEY_CURRENT_USER is a scratch key of the test's own meanwhile.
#include "winsaver/SaverSettings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string_view>
#include <tuple>

namespace {

// Every option, so that one comparison shows them all.
auto Fields(const SceneOptions& o) {
  return std::tuple(o.scheme, o.randomScheme, o.ripples, o.tesselation, o.speed, o.frequency,
                    o.letterbox, o.spotlight, o.fps, o.seed,
                    std::string_view(PresentName(o.present)));
}

TEST(SaverSettings, WhatTheDialogWritesIsWhatTheSaverReads) {
  constexpr char kScratch[] = "Software\\Wendrix tests";
  HKEY scratch = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &scratch, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, scratch), ERROR_SUCCESS);
  // As the dialog fills them in: every option given, both flags off, then both on.
  SceneOptions off, on;
  off.scheme = 5, off.ripples = 7, off.tesselation = 20, off.speed = 0.00005f;
  off.frequency = 2.5f, off.letterbox = 0, off.present = Present::kImage;
  on.randomScheme = true, on.ripples = 1, on.tesselation = 1, on.speed = 100.0f;
  on.frequency = 0.01f, on.letterbox = 6, on.spotlight = on.fps = true, on.present = Present::kGl;
  for (const SceneOptions& options : {off, on}) {
    RegDeleteTreeA(scratch, nullptr);
    EXPECT_TRUE(WriteSaverSettings(options));
    EXPECT_EQ(Fields(ReadSaverSettings()), Fields(options));
  }
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegDeleteTreeA(scratch, nullptr);
  RegCloseKey(scratch);
  RegDeleteKeyA(HKEY_CURRENT_USER, kScratch);
}

}  // namespace
