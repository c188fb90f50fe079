// The picture drawn with WebGL's own calls, for the page: the grid points'
// colours worked out by a fragment program, lit there too, or, where fragment
// programs lack high-precision floats, the processor's rows; the window covered from
// them by the point squares (picture/Coverage.h); and each text run's cells as
// textured triangles from the atlas' mipmaps, as GL 1.1 blends them.
#pragma once

#include <array>
#include <map>
#include <string>

#include "picture/Painter.h"

class WebGlPainter : public Painter {
 public:
  // `rowsAsked`: the processor's rows even where the field could be worked out here.
  explicit WebGlPainter(bool rowsAsked = false) : rowsAsked_(rowsAsked) {}
  ~WebGlPainter() override = default;  // its objects go with the page's context
  WebGlPainter(const WebGlPainter&) = delete;
  WebGlPainter& operator=(const WebGlPainter&) = delete;

  bool Open(WindowSystem& window, std::string* error) override;
  // The programs, the buffers and the atlas' texture; the field's way chosen.
  void Start(const Picture& view) override;
  // Every draw sets its own viewport over the whole canvas.
  void Reshape(int, int) override {}
  void Paint(const Picture& picture) override;
  void DrawNow(const TextRun& run) override;
  void ClearNow() override;
  void Stop() override;

  // After Start: whether the fragment program works out the field, or the rows are drawn.
  bool FieldInShader() const { return fieldInShader_; }

 private:
  void DrawField(const Picture& picture);
  // The field's program for the picture's scheme, ripples and light, built at first use.
  unsigned FieldProgram(const Picture& picture);
  void SizeGrid(int columns, int rows);
  void PaintGrid(unsigned field, const Picture& picture) const;
  void CoverWindow(const Picture& picture);

  bool rowsAsked_;
  bool fieldInShader_ = false;
  std::map<int, unsigned> fieldPrograms_;  // by scheme, ripple count and light
  unsigned rowsProgram_ = 0, glyphProgram_ = 0;
  unsigned stripBuffer_ = 0, gridBuffer_ = 0, glyphBuffer_ = 0, framebuffer_ = 0;
  unsigned gridTexture_ = 0, atlasTexture_ = 0;
  bool atlas_ = false;  // false: text as white blocks, as GL shows it without its texture
  int gridColumns_ = 0, gridRows_ = 0;  // the grid texture's size
  // What the strips cover (the window, the step, the band; none: all 0) and their vertex count.
  std::array<int, 5> covered_ = {};
  int stripVertices_ = 0;
};
