// Status messages: formatted into 80 bytes, drawn at (10, 20) in cells 20
// pixels tall, and drawn again every frame for three seconds.
#include "text/Messages.h"

#include <cstdio>

#include "state/Frame.h"

namespace {
double ClockSeconds() { return elapsedMs * 0.001; }

// Formats the message into 80 bytes, draws it at once, remembers it, and starts
// its three seconds.
template <typename Value>
void Show(TextOverlay& overlay, const char* format, Value value) {
  char buffer[kMessageBytes];
  std::snprintf(buffer, sizeof buffer, format, value);
  overlay.DrawText(buffer, kMessageX, kMessageY, kMessageHeight);
  overlay.expiry = ClockSeconds() + kMessageSeconds;
}
}  // namespace

void TextOverlay::ShowMessage(const char* format, double value) { Show(*this, format, value); }
void TextOverlay::ShowMessage(const char* format, int32_t value) { Show(*this, format, value); }
// The text is never a format: a percent sign in it shows as itself.
void TextOverlay::ShowMessage(const char* text) { Show(*this, "%s", text); }

void TextOverlay::RedrawMessage() {
  // A message shown just before elapsedMs wraps expires just after it.
  if (ClockSecondsBetween(ClockSeconds(), expiry) > 0.0) {
    DrawText(lastText, static_cast<int16_t>(lastX), static_cast<int16_t>(lastY), kMessageHeight);
  } else {
    expiry = 0.0;
  }
}

void TextOverlay::DrawFrameRate(int32_t framesPerSecond) {
  recordFlag = 0;  // the line must not replace the remembered message
  char buffer[kMessageBytes];
  std::snprintf(buffer, sizeof buffer, "%3d Frame/Sec", framesPerSecond);
  DrawText(buffer, static_cast<int16_t>(screenWidth - kFrameRateInset), kMessageY, kMessageHeight);
  recordFlag = 1;
}
