// The text's layout: one cell per character, spaces advancing the pen without a
// cell, and where each DrawText's cells go.
#include "text/TextOverlay.h"

#include <utility>

#include "state/Frame.h"
#include "text/GlyphAtlas.h"

// Everything else starts at its static zero: no message pending, nothing remembered.
TextOverlay::TextOverlay() { Reset(); }

void TextOverlay::Reset() {
  lastX = lastY = 0;
  recordFlag = 1;
  expiry = 0.0;
  lastText[0] = '\0';
  composing = nullptr;
  canvas = nullptr;
}

std::vector<GlyphQuad> LayOutText(const char* text, int16_t x, int16_t y, float height,
                                  int windowHeight) {
  const auto base =
      static_cast<float>(static_cast<int16_t>(windowHeight - y));  // GL counts rows upward
  const float cellWidth = height * kCellWidthFactor;
  const float advance = height * kAdvanceFactor;  // cells overlap their neighbours a little
  constexpr float kCellSpan = 1.0f / kAtlasColumns;
  constexpr double kBand = 1.0 / kAtlasRows;
  std::vector<GlyphQuad> quads;
  int16_t pen = x;
  for (const char* p = text; *p != '\0'; ++p) {
    const uint8_t cell = static_cast<uint8_t>(static_cast<uint8_t>(*p) - kFirstAtlasCode);
    if (cell != 0) {
      const int column = cell % kAtlasColumns;
      const int row = cell / kAtlasColumns;
      const float s0 = static_cast<float>(column) * kCellSpan;
      // The sampled band lies a hundredth of the atlas below the nominal cell.
      const auto t0 = static_cast<float>(1.0 - (row + 1) * kBand - kBandOffset);
      quads.push_back({static_cast<float>(pen), base, cellWidth, height, s0, t0, s0 + kCellSpan,
                       static_cast<float>(t0 + kBand)});
    }
    pen = static_cast<int16_t>(static_cast<int32_t>(static_cast<float>(pen) + advance));
  }
  return quads;
}

void TextOverlay::DrawText(const char* text, int16_t x, int16_t y, float height) {
  const int width = static_cast<int>(screenWidth);  // as the last reshape gave it
  const int windowHeight = static_cast<int>(screenHeight);
  TextRun run{width, windowHeight, LayOutText(text, x, y, height, windowHeight)};
  if (composing != nullptr) {
    composing->push_back(std::move(run));
  } else if (canvas != nullptr) {
    canvas->DrawNow(run);
  }
  if (recordFlag != 0) {
    lastX = x;
    lastY = y;
    // Always keeps its terminating zero: a longer text is cut at 79 characters.
    int i = 0;
    for (; i < kMessageBytes - 1 && text[i] != '\0'; ++i) lastText[i] = text[i];
    lastText[i] = '\0';
  }
}
