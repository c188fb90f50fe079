// Text blended into a PixelImage from the glyph atlas exactly as GL samples and
// blends it: the mipmap level GL picks for the cells' size, filtered bilinearly,
// white modulated by the atlas, SRC_ALPHA over ONE_MINUS_SRC_ALPHA.
#pragma once

#include <vector>

#include "image/Mipmaps.h"
#include "text/TextOverlay.h"
#include "windowsystem/PixelImage.h"

class Image;

class ImageText {
 public:
  // Keeps the atlas' mipmap levels; false for an image GL would not mipmap as it
  // is (a side not a power of two): its text then shows as white blocks, as GL
  // shows text without its texture.
  bool SetAtlas(const Image& atlas);
  // One DrawText's cells over the image, which is the run's window.
  void Blend(const PixelImage& image, const TextRun& run) const;

 private:
  std::vector<MipLevel> levels_;  // empty: no atlas
};
