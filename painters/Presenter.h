// A screen saver's painter, chosen once: GL's own drawing, or the picture made on
// the processor and put as the window's image, as the Present option and the
// renderer call for, with the window opened for the one chosen.
#pragma once

#include <string>

#include "painters/Present.h"
#include "painters/gl/GlPainter.h"
#include "painters/image/ImagePainter.h"
#include "windowsystem/PixelImage.h"

class Presenter {
 public:
  explicit Presenter(ImageTarget& target) : image_(target) {}

  // Opens a window seam the way `asked` and its renderer call for. The seam has
  // Renderer (the name a GL context of it gives, null without one; it may leave
  // that context open for Open to take), Open (GL) and OpenImage (any context
  // given back). Where auto chose the image and the window cannot take one (a
  // visual of another depth), GL still draws if it can. False with a reason.
  template <typename Seam>
  bool Open(Seam& window, Present asked, std::string* error) {
    const char* renderer = asked != Present::kImage ? window.Renderer() : nullptr;
    imageChosen_ = ChoosePresent(asked, renderer) == Present::kImage;
    if (!imageChosen_) return window.Open(error);
    if (window.OpenImage(error)) return true;
    imageChosen_ = false;
    return asked == Present::kAuto && renderer != nullptr && window.Open(error);
  }
  Painter& painter() { return imageChosen_ ? static_cast<Painter&>(image_) : gl_; }

 private:
  GlPainter gl_;
  ImagePainter image_;
  bool imageChosen_ = false;
};
