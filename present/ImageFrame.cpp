// Each grid point's square is filled once: a row of squares is written a pixel
// at a time, then copied down the rows it covers, and only what no square
// covers is painted black. Where squares overlap (squeezed into a letterbox
// band), the later one drawn wins, as with GL, and the earlier is cut short.
#include "present/ImageFrame.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/Clock.h"
#include "app/Defaults.h"
#include "app/FontPath.h"
#include "app/FrameDriver.h"
#include "app/Shell.h"
#include "image/Image.h"
#include "present/ImageText.h"
#include "sim/FieldDrawing.h"
#include "sim/FieldGrid.h"
#include "sim/Oscillators.h"
#include "sim/RippleField.h"
#include "state/Frame.h"
#include "state/Settings.h"
#include "text/TextOverlay.h"

namespace {
const PixelImage* target = nullptr;  // the image the overlay's text goes to

void PaintText(const char* text, int16_t x, int16_t y, float height) {
  BlendText(*target, text, x, y, height);
}

void Fill(uint32_t* from, uint32_t* to, uint32_t colour) { std::fill(from, to, colour); }

// The GL rows, counted upward, that a point of size `step` at grid height y
// covers: its centre where GL's projection and the band's viewport put it,
// snapped to the rasteriser's 1/256 pixel, and the rows whose centres lie above
// its lower edge and not above its upper one.
void PointRows(uint32_t y, uint32_t step, const LetterboxBand& band, int height, int* first,
               int* end) {
  const float scale = 2.0f / static_cast<float>(height);
  const float clip = static_cast<float>(y) * scale - 1.0f;
  const float half = static_cast<float>(band.height) * 0.5f;
  const float centre =
      std::round((clip * half + (static_cast<float>(band.bottom) + half)) * 256.0f) / 256.0f;
  const float size = static_cast<float>(step) * 0.5f;
  *first = static_cast<int>(std::floor(centre - size - 0.5f)) + 1;
  *end = static_cast<int>(std::floor(centre + size - 0.5f)) + 1;
}

// The grid's rows of RGBA bytes as squares over the image, black where none lies.
void ScaleGrid(const FieldFrame& frame, const FieldRows& rows, const PixelImage& image) {
  const uint32_t columns = rows.columns;
  const uint32_t gridRows = GridRows(frame);
  const uint32_t step = frame.step;
  const int width = image.width, height = image.height;
  const LetterboxBand band = CurrentLetterboxBand();
  // Squares start step / 2 left of their point (rounded down), as GL's do.
  const int back = static_cast<int>(step / 2);
  const int covered = std::min(width, static_cast<int>(columns * step) - back);
  int done = 0;  // GL rows below this one are painted
  for (uint32_t r = 0; r < gridRows; ++r) {
    int first = 0, end = 0;
    PointRows(r * step, step, band, height, &first, &end);
    if (r + 1 < gridRows) {  // the next row drawn covers the overlap
      int nextFirst = 0, nextEnd = 0;
      PointRows((r + 1) * step, step, band, height, &nextFirst, &nextEnd);
      end = std::min(end, nextFirst);
    }
    first = std::max(first, 0);
    end = std::min(end, height);
    for (; done < first; ++done)
      Fill(image.Row(height - 1 - done), image.Row(height - 1 - done) + width, kOpaqueBlack);
    if (end <= first) continue;
    uint32_t* line = image.Row(height - end);
    const uint32_t* rgba = rows.rgba + static_cast<size_t>(r) * columns;
    int x = 0;
    for (uint32_t c = 0; c < columns && x < covered; ++c) {
      const uint32_t v = rgba[c];  // bytes R, G, B, A
      const uint32_t colour = kOpaqueBlack | (v & 0xff) << 16 | (v & 0xff00) | (v >> 16 & 0xff);
      const int right = std::min(covered, static_cast<int>((c + 1) * step) - back);
      Fill(line + x, line + right, colour);
      x = right;
    }
    Fill(line + covered, line + width, kOpaqueBlack);
    for (int g = end - 2; g >= first; --g) {
      std::memcpy(image.Row(height - 1 - g), line, static_cast<size_t>(width) * sizeof(uint32_t));
    }
    done = end;
  }
  for (; done < height; ++done)
    Fill(image.Row(height - 1 - done), image.Row(height - 1 - done) + width, kOpaqueBlack);
}
}  // namespace

void StartImagePicture(int width, int height) {
  PreInit();
  SetPictureSize(width, height);
  StartClock();
  ResetSettings();
  InitOscillators(kOscillators);
  Image atlas;
  if (LoadFontImage(&atlas)) SetImageFont(atlas);
}

void DrawImageFrame(const PixelImage& image) {
  elapsedMs = ElapsedMsAt(ReadCounter());  // as DisplayHandler reads the clock
  AdvanceFrame();
  const FieldFrame frame = PrepareFieldFrame();
  const FieldRows rows = GridOutput(frame, true);
  EvaluateField(frame, rows, FieldEvaluation::Fastest, fieldPath.threads);
  ScaleGrid(frame, rows, image);
  target = &image;
  overlay.painter = PaintText;
  if (overlay.expiry != 0.0) overlay.RedrawMessage();
  if (settings.fpsClock != 0) overlay.DrawFrameRate(fpsValue);
  overlay.painter = nullptr;
}
