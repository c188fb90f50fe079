// The choice of presenter, and what the judgement of renderer names behind it
// says, against the names real drivers give GL_RENDERER.
#include "painters/Present.h"

#include <gtest/gtest.h>

#include <string>

#include "windowsystem/RendererName.h"

namespace {

TEST(Presentation, AutoTakesTheImageWhereGlCostsTheProcessor) {
  // The name; whether the processor draws it (auto then takes the image); whether it is
  // llvmpipe, on which the field's pixel rectangle is proven.
  const struct {
    const char* renderer;
    bool software, llvmpipe = false;
  } rows[] = {
      {"llvmpipe (LLVM 15.0.6, 256 bits)", true, true},
      {"llvmpipe (LLVM 11.0.1, 128 bits)", true, true},
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
  for (const auto& row : rows) {
    EXPECT_EQ(ChoosePresent(Present::kAuto, row.renderer),
              row.software ? Present::kImage : Present::kGl)
        << row.renderer;
    EXPECT_EQ(RendererIsLlvmpipe(row.renderer), row.llvmpipe) << row.renderer;
    // Asked for by name, either is taken whatever draws.
    EXPECT_EQ(ChoosePresent(Present::kGl, row.renderer), Present::kGl);
    EXPECT_EQ(ChoosePresent(Present::kImage, row.renderer), Present::kImage);
  }
  EXPECT_EQ(ChoosePresent(Present::kAuto, nullptr), Present::kImage) << "no GL context";
  Present parsed = Present::kGl;
  for (const char* name : {"auto", "gl", "image"}) {
    EXPECT_TRUE(ParsePresent(name, &parsed) && std::string(PresentName(parsed)) == name) << name;
  }
  EXPECT_FALSE(ParsePresent("GL", &parsed) || ParsePresent("", &parsed) ||
               ParsePresent("images", &parsed));
}

}  // namespace
