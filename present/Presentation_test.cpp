// The choice of presenter against the names real drivers give GL_RENDERER.
#include "present/Presentation.h"

#include <gtest/gtest.h>

namespace {

TEST(Presentation, SoftwareRenderersAreKnownByTheirNames) {
  const struct {
    const char* renderer;
    bool software;
  } rows[] = {
      {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
      {"llvmpipe (LLVM 11.0.1, 128 bits)", true},
      {"softpipe", true},
      {"Software Rasterizer", true},  // Mesa's classic swrast
      {"Mesa X11", true},
      {"GDI Generic", true},  // Windows without a vendor's driver
      {"D3D12 (Microsoft Basic Render Driver)", true},
      {"zink (llvmpipe (LLVM 15.0.6, 256 bits))", true},
      {"NVIDIA GeForce RTX 3080/PCIe/SSE2", false},
      {"AMD Radeon RX 6800 XT (navi21, LLVM 15.0.6, DRM 3.49, 6.1.0-9-amd64)", false},
      {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
      {"SVGA3D; build: RELEASE;  LLVM;", false},  // VMware's, drawn by the host's GPU
      {"virgl (NVIDIA GeForce GTX 1080/PCIe/SSE2)", false},
      {"D3D12 (NVIDIA GeForce GTX 1660 SUPER)", false},
      {"Intel(R) HD Graphics 4000", false},
      {"Apple M1", false},
      {"", false},
  };
  for (const auto& row : rows)
    EXPECT_EQ(RendererIsSoftware(row.renderer), row.software) << row.renderer;
}

TEST(Presentation, AutoTakesTheImageWhereGlCostsTheProcessor) {
  const char* llvmpipe = "llvmpipe (LLVM 15.0.6, 256 bits)";
  const char* nvidia = "NVIDIA GeForce RTX 3080/PCIe/SSE2";
  const struct {
    Present asked;
    const char* renderer;  // null: no GL context
    bool spotlight;
    Present chosen;
  } rows[] = {
      {Present::kAuto, llvmpipe, false, Present::kImage},
      {Present::kAuto, nvidia, false, Present::kGl},
      {Present::kAuto, nullptr, false, Present::kImage},
      {Present::kAuto, llvmpipe, true, Present::kGl},  // the spot light is GL's
      {Present::kAuto, nullptr, true, Present::kImage},
      {Present::kGl, llvmpipe, false, Present::kGl},
      {Present::kImage, nvidia, false, Present::kImage},
      {Present::kImage, nvidia, true, Present::kGl},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ChoosePresent(row.asked, row.renderer, row.spotlight), row.chosen)
        << PresentName(row.asked) << " " << (row.renderer != nullptr ? row.renderer : "none")
        << (row.spotlight ? " spot light" : "");
  }
  Present parsed = Present::kGl;
  for (const char* name : {"auto", "gl", "image"}) {
    EXPECT_TRUE(ParsePresent(name, &parsed) && std::string(PresentName(parsed)) == name) << name;
  }
  EXPECT_FALSE(ParsePresent("GL", &parsed) || ParsePresent("", &parsed) ||
               ParsePresent("images", &parsed));
}

}  // namespace
