// A title and 28 lines at fixed steps below a start height that follows the
// window height; the page does not adapt to small windows.
#include "text/HelpScreen.h"

#include <cstdint>

#include "state/Frame.h"
#include "text/TextOverlay.h"

const char* const kHelpLines[kHelpLineCount] = {
    "Wendrix",
    "Special Controls for this simulation:",
    "<Left/Right> - Adjust Main Speed",
    " <Up/Down>   - Adjust Ripple Frequency",
    "  shift  <>  - Adjust Tesselation 1-20",
    "           n  Adjust # of Overlapping Ripples 1-8",
    "Standard Controls in most simulations where applicable:",
    "          -=  Adjust World Rotate Speed",
    "  shift   _+  Adjust World Movement Speed",
    "  shift   {}  Adjust World Closeness (Camera Z)",
    "  shift   ()  Adjust Light Rotate Speed",
    "unshifted <>  Adjust Screen Magnification",
    "          []  Adjust Object Size",
    "           c  Toggle Frame-Per-Second Clock",
    "           f  Toggle FullScreen/Window",
    "           l  Adjust Letterbox Size 0-6",
    "           o  Toggle Available Options",
    "           p  Toggle Pause On/Off",
    "           r  Reset/Randomize all parameters",
    "           s  Toggle Color SpotLites On-Off",
    "           t  Toggle Textures On-Off",
    "           u  Toggle Universe of Stars On/Off",
    "           w  Toggle Polygons/Wireframe/Points",
    "      <SPACE> Toggle Hyperspace (brief non-blanking)",
    "        <ESC> to QUIT.",
    "   -------------------------------------------------------- ",
    "   Ripples of light, summed point by point, every frame.",
    "   Wendrix: interference toy for OpenGL and GLUT.",
    "   <?> to return",
};

namespace {
constexpr int16_t kTitleX = 20;
constexpr float kTitleHeight = 30.0f;
constexpr float kLineHeight = 18.0f;
constexpr int16_t kLineStep = 17;
}  // namespace

void HelpScreen() {
  overlay.recordFlag = 0;  // no help line may become the status message
  int16_t x = kTitleX;
  const int16_t y0 = static_cast<int16_t>(static_cast<int32_t>(screenHeight * 0.09));
  overlay.DrawText(kHelpLines[0], x, y0, kTitleHeight);
  x = static_cast<int16_t>(x + 10);
  int16_t y = static_cast<int16_t>(static_cast<int32_t>(y0 + kLineStep * 1.4));
  for (int line = 1; line < kHelpLineCount; ++line) {
    overlay.DrawText(kHelpLines[line], x, y, kLineHeight);
    // A wider gap before the second block (lines 7 to 25).
    y = static_cast<int16_t>(line == 5 ? static_cast<int32_t>(y + kLineStep * 1.3) : y + kLineStep);
  }
  overlay.recordFlag = 1;
}
