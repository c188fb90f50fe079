// Text over the picture from a 16 by 8 glyph atlas, laid out into cells, and the
// one status message that is drawn again every frame until it expires. What draws
// the cells is a painter's (picture/Painter.h): text/ holds no GL.
#pragma once

#include <cstdint>
#include <vector>

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

// One DrawText's cells, with the window they were laid out in: the text is placed
// against the whole window even while the picture is letterboxed.
struct TextRun {
  int windowWidth = 0, windowHeight = 0;
  std::vector<GlyphQuad> glyphs;
};

// Draws text the moment it is shown, between frames: a message from a key.
class TextCanvas {
 public:
  TextCanvas() = default;
  virtual ~TextCanvas() = default;
  TextCanvas(const TextCanvas&) = delete;
  TextCanvas& operator=(const TextCanvas&) = delete;
  virtual void DrawNow(const TextRun& run) = 0;
};

class TextOverlay {
 public:
  TextOverlay();
  virtual ~TextOverlay() = default;
  TextOverlay(const TextOverlay&) = delete;
  TextOverlay& operator=(const TextOverlay&) = delete;

  // Text with its first cell's left edge x pixels from the window's left and the
  // cells' bottom edge y pixels below its top, cells height pixels tall: into the
  // picture being composed, else at once on the canvas.
  void DrawText(const char* text, int16_t x, int16_t y, float height);

  // Formats, draws at once and remembers a message for three seconds.
  void ShowMessage(const char* format, double value);
  void ShowMessage(const char* format, int32_t value);
  void ShowMessage(const char* text);
  // Draws the remembered message until its time is up, then forgets it.
  void RedrawMessage();
  // The frames-per-second line in the top right corner; not remembered.
  void DrawFrameRate(int32_t framesPerSecond);
  // No message, nothing remembered, recording on, nowhere to draw, as at launch.
  void Reset();

  int32_t lastX;  // where the remembered text was drawn
  int32_t lastY;
  int32_t recordFlag;  // while set, DrawText remembers what it draws
  double expiry;       // seconds on elapsedMs * 0.001; 0 when no message is pending
  char lastText[kMessageBytes];
  std::vector<TextRun>* composing = nullptr;  // while set, the frame's text goes here
  TextCanvas* canvas = nullptr;               // text shown between frames, drawn at once
};

extern TextOverlay overlay;
