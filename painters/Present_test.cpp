// The choice of presenter against the names real drivers give GL_RENDERER.
#include "painters/Present.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Presentation, AutoTakesTheImageWhereGlCostsTheProcessor) {
  const char* llvmpipe = "llvmpipe (LLVM 15.0.6, 256 bits)";
  const char* nvidia = "NVIDIA GeForce RTX 3080/PCIe/SSE2";
  const struct {
    const char* renderer;  // null: no GL context
    Present asked;
    Present chosen;
  } rows[] = {
      {llvmpipe, Present::kAuto, Present::kImage}, {nvidia, Present::kAuto, Present::kGl},
      {nullptr, Present::kAuto, Present::kImage},  {llvmpipe, Present::kGl, Present::kGl},
      {nvidia, Present::kImage, Present::kImage},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ChoosePresent(row.asked, row.renderer), row.chosen)
        << PresentName(row.asked) << " " << (row.renderer != nullptr ? row.renderer : "none");
  }
  Present parsed = Present::kGl;
  for (const char* name : {"auto", "gl", "image"}) {
    EXPECT_TRUE(ParsePresent(name, &parsed) && std::string(PresentName(parsed)) == name) << name;
  }
  EXPECT_FALSE(ParsePresent("GL", &parsed) || ParsePresent("", &parsed) ||
               ParsePresent("images", &parsed));
}

}  // namespace
