// Text over the picture from a 16 by 8 glyph atlas, and the one status
// message that is drawn again every frame until it expires.
#pragma once

#include <cstdint>
#include <vector>

#include "image/Texture.h"
#include "state/Frame.h"

constexpr int kMessageBytes = 80;  // a message holds at most 79 characters

// One character's cell: window pixels counted upward from the bottom row, and
// the atlas band it shows (s0..s1 across, t0..t1 up).
struct GlyphQuad {
  float left, bottom, width, height;
  float s0, t0, s1, t1;
};
// The cells of text in the order DrawText draws them; spaces have none.
std::vector<GlyphQuad> LayOutText(const char* text, int16_t x, int16_t y, float height,
                                  int windowHeight);
// Draws text in place of GL, where the picture is made on the processor.
using TextPainter = void (*)(const char* text, int16_t x, int16_t y, float height);

class TextOverlay {
 public:
  TextOverlay();
  virtual ~TextOverlay();
  TextOverlay(const TextOverlay&) = delete;
  TextOverlay& operator=(const TextOverlay&) = delete;

  // Draws text with its first cell's left edge x pixels from the window's left
  // and the cells' bottom edge y pixels below its top, cells height pixels tall.
  void DrawText(const char* text, int16_t x, int16_t y, float height);

  // Formats, draws at once and remembers a message for three seconds.
  void ShowMessage(const char* format, double value);
  void ShowMessage(const char* format, int32_t value);
  void ShowMessage(const char* text);
  // Draws the remembered message until its time is up, then forgets it.
  void RedrawMessage();
  // The frames-per-second line in the top right corner; not remembered.
  void DrawFrameRate(int32_t framesPerSecond);
  // No message, nothing remembered, recording on, as at launch; the font stays.
  void Reset();

  int32_t lastX;  // where the remembered text was drawn
  int32_t lastY;
  int32_t recordFlag;  // while set, DrawText remembers what it draws
  double expiry;       // seconds on elapsedMs * 0.001; 0 when no message is pending
  char lastText[kMessageBytes];
  Texture font;                   // the glyph atlas
  TextPainter painter = nullptr;  // set: DrawText hands its text here, GL is not touched

 private:
  void DrawWithGl(const char* text, int16_t x, int16_t y, float height) const;
};

extern TextOverlay overlay;
