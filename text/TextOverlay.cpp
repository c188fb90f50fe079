// DrawText: one textured quad per character, in whole-window pixel space.
// The viewport, modelview, polygon mode and depth writes are put back; the
// projection stays the window-sized one, blending and texturing end off, the
// colour white and the atlas bound, as the frame driver expects.
#include "text/TextOverlay.h"

#include <GL/gl.h>

#include "state/Frame.h"
#include "text/GlyphAtlas.h"

// Everything else starts at its static zero: no message pending, nothing remembered.
TextOverlay::TextOverlay() { Reset(); }

void TextOverlay::Reset() {
  lastX = lastY = 0;
  recordFlag = 1;
  expiry = 0.0;
  lastText[0] = '\0';
}

TextOverlay::~TextOverlay() { font.release(); }

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
  if (painter != nullptr) {
    painter(text, x, y, height);
  } else {
    DrawWithGl(text, x, y, height);
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

void TextOverlay::DrawWithGl(const char* text, int16_t x, int16_t y, float height) const {
  const int windowWidth = static_cast<int>(screenWidth);  // as the last reshape gave it
  const int windowHeight = static_cast<int>(screenHeight);

  // Set: white, blended, textured with the atlas, no depth writes, filled
  // polygons, and a projection over the whole window even when letterboxed.
  glColor3d(1.0, 1.0, 1.0);
  glEnable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  font.bind();
  glDepthMask(GL_FALSE);
  glPushAttrib(GL_POLYGON_BIT);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glPushMatrix();
  glPushAttrib(GL_VIEWPORT_BIT);
  glViewport(0, 0, windowWidth, windowHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, windowWidth, 0, windowHeight, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  for (const GlyphQuad& q : LayOutText(text, x, y, height, windowHeight)) {
    glBegin(GL_QUADS);
    glTexCoord2f(q.s0, q.t0);
    glVertex2f(q.left, q.bottom);
    glTexCoord2f(q.s1, q.t0);
    glVertex2f(q.left + q.width, q.bottom);
    glTexCoord2f(q.s1, q.t1);
    glVertex2f(q.left + q.width, q.bottom + q.height);
    glTexCoord2f(q.s0, q.t1);
    glVertex2f(q.left, q.bottom + q.height);
    glEnd();
  }

  // Restore: the modelview, the viewport, polygon mode and depth writes; texturing
  // and blending end off.
  glPopMatrix();
  glPopAttrib();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glPopAttrib();
  glDepthMask(GL_TRUE);
}
