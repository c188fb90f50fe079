// Renderers judged by the names real drivers give GL_RENDERER.
#include "windowsystem/RendererName.h"

#include <gtest/gtest.h>

namespace {

TEST(RendererName, SoftwareRenderersAndLlvmpipeAreKnownByTheirNames) {
  const struct {
    const char* renderer;
    bool software;
    bool llvmpipe = false;  // the rasteriser the field's pixel rectangle is proven on
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
    EXPECT_EQ(RendererIsSoftware(row.renderer), row.software) << row.renderer;
    EXPECT_EQ(RendererIsLlvmpipe(row.renderer), row.llvmpipe) << row.renderer;
  }
}

}  // namespace
