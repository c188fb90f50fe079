// The picture drawn with OpenGL 1.1, the program's own drawing and the reference
// the other painters are held to: the view, the spot light, the field's points
// and the text's textured quads, with the glyph atlas and the ramp texture it owns.
#pragma once

#include <cstdint>
#include <string>

#include "image/Image.h"
#include "image/Texture.h"
#include "picture/Painter.h"

class GlPainter : public Painter {
 public:
  GlPainter() = default;
  ~GlPainter() override = default;  // its textures go with the context, or by Stop
  GlPainter(const GlPainter&) = delete;
  GlPainter& operator=(const GlPainter&) = delete;

  bool Open(WindowSystem& window, std::string* error) override;
  // The view, GL's fixed state (colour material, blending, the light's spot), the
  // atlas loaded and the ramp made.
  void Start(const Picture& view) override;
  void Reshape(int width, int height) override;
  void Paint(const Picture& picture) override;
  void DrawNow(const TextRun& run) override;
  void ClearNow() override;
  void Stop() override;
  // The glyph atlas made from an image: what Start does with the one it finds, and
  // what a tool does with an atlas of its own. False where GL made no texture of it.
  bool LoadAtlas(const Image& atlas);

 private:
  Texture font_;       // the glyph atlas
  uint32_t ramp_ = 0;  // the procedural ramp made at start-up
};

// Polygon mode, letterbox viewport and the pixel-space projection over the whole window.
void ApplyView(const Picture& picture);
