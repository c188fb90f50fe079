// The picture drawn with WebGL's own calls, for the page: the field's colours as a
// texture laid over the window by its points' coverage (picture/Coverage.h), and
// each text run's cells as textured triangles from the atlas' mipmaps, as GL 1.1
// blends them.
#pragma once

#include <string>

#include "picture/Painter.h"

class WebGlPainter : public Painter {
 public:
  WebGlPainter() = default;
  ~WebGlPainter() override = default;  // its objects go with the page's context
  WebGlPainter(const WebGlPainter&) = delete;
  WebGlPainter& operator=(const WebGlPainter&) = delete;

  bool Open(WindowSystem& window, std::string* error) override;
  // The programs, the buffers and the atlas' texture.
  void Start(const Picture& view) override;
  // Every draw sets its own viewport over the whole canvas.
  void Reshape(int, int) override {}
  void Paint(const Picture& picture) override;
  void DrawNow(const TextRun& run) override;
  void ClearNow() override;
  void Stop() override;

 private:
  void DrawField(const Picture& picture);

  unsigned fieldProgram_ = 0, glyphProgram_ = 0;
  unsigned quadBuffer_ = 0, glyphBuffer_ = 0;
  unsigned fieldTexture_ = 0, columnsTexture_ = 0, rowsTexture_ = 0, atlasTexture_ = 0;
  bool atlas_ = false;  // false: text as white blocks, as GL shows it without its texture
  // What the textures hold now: the field's grid, and the coverage's window, step and band.
  int gridColumns_ = 0, gridRows_ = 0;
  int coveredWidth_ = -1, coveredHeight_ = 0, coveredStep_ = 0, bandBottom_ = 0, bandHeight_ = 0;
};
