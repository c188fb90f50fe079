// The picture made on the processor, into the image a window puts on the screen
// (the screen savers' image path): the field's squares where GL would leave them,
// lit point by point with GL 1.1's equation while the spot light is on, black
// where no square lies on a cleared frame, and the text blended over.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "painters/image/ImageText.h"
#include "picture/Painter.h"
#include "windowsystem/PixelImage.h"

class Image;

class ImagePainter : public Painter {
 public:
  explicit ImagePainter(ImageTarget& target) : target_(target) {}

  // The image is the window's own, made when the window was opened for it.
  bool Open(WindowSystem&, std::string*) override { return true; }
  void Start(const Picture& view) override;
  // The window remakes its image before the size reaches the shell.
  void Reshape(int, int) override {}
  void Paint(const Picture& picture) override;
  void DrawNow(const TextRun& run) override;
  void ClearNow() override;
  void Stop() override {}
  // The glyph atlas made from an image, as Start makes it from the one it finds;
  // false (text as white blocks, as GL shows it without its texture) where it has no
  // mipmaps as GL would make them.
  bool LoadAtlas(const Image& atlas);

 private:
  // Each grid point's colour as an opaque 0xAARRGGBB word, lit where the light is on.
  void ColourPoints(const Picture& picture);

  ImageTarget& target_;
  ImageText text_;
  std::vector<uint32_t> colours_;  // the grid's points, row by row
  std::vector<uint32_t> line_;     // one window row of squares
};
