// The choice of presenter against the names real drivers give GL_RENDERER.
#include "painters/Present.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Presentation, AutoTakesTheImageWhereGlCostsTheProcessor) {
  const char* llvmpipe = "llvmpipe (LLVM 15.0.6, 256 bits)";
  const char* nvidia = "NVIDIA GeForce RTX 3080/PCIe/SSE2";
  const struct {
    Present asked;
    const char* renderer;  // null: no GL context
    Present chosen;
  } rows[] = {
      {Present::kAuto, llvmpipe, Present::kImage}, {Present::kAuto, nvidia, Present::kGl},
      {Present::kAuto, nullptr, Present::kImage},  {Present::kGl, llvmpipe, Present::kGl},
      {Present::kImage, nvidia, Present::kImage},
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
