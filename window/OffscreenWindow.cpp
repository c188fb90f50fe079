// A framebuffer object stands in for the window's back buffer: it keeps its
// contents between frames, as a back buffer that is never cleared does. The
// context under it is each system's own (egl/EglOffscreen.cpp, win32/WglOffscreen.cpp).
#define GL_GLEXT_PROTOTYPES 1
#include "window/OffscreenWindow.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstring>

#include "cmdline/Arguments.h"

bool OffscreenWindow::AttachFramebuffer(std::string* error) {
  glGenFramebuffers(1, &framebuffer_);
  glGenRenderbuffers(1, &colorBuffer_);
  glGenRenderbuffers(1, &depthBuffer_);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  Resize(width_, height_);
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    return Fail(error, "framebuffer incomplete");
  }
  // A window's default framebuffer draws to and reads from its back buffer.
  glDrawBuffer(GL_COLOR_ATTACHMENT0);
  glReadBuffer(GL_COLOR_ATTACHMENT0);
  return true;
}

void OffscreenWindow::ReleaseFramebuffer() {
  if (framebuffer_ == 0) return;
  glDeleteFramebuffers(1, &framebuffer_);
  glDeleteRenderbuffers(1, &colorBuffer_);
  glDeleteRenderbuffers(1, &depthBuffer_);
  framebuffer_ = 0;
}

void OffscreenWindow::Resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  // A renderbuffer cannot be empty; a 0-pixel window keeps one pixel of storage.
  const int storageWidth = std::max(width_, 1);
  const int storageHeight = std::max(height_, 1);
  glBindRenderbuffer(GL_RENDERBUFFER, colorBuffer_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, storageWidth, storageHeight);
  glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, storageWidth, storageHeight);
  glBindRenderbuffer(GL_RENDERBUFFER, 0);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorBuffer_);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer_);
}

std::vector<uint8_t> OffscreenWindow::ReadRgb() const {
  std::vector<uint8_t> rgb(static_cast<size_t>(width_) * height_ * 3);
  if (rgb.empty()) return rgb;
  GLint packAlignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glFinish();
  std::vector<uint8_t> bottomUp(rgb.size());
  glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
  const size_t row = static_cast<size_t>(width_) * 3;
  for (int y = 0; y < height_; ++y) {
    std::memcpy(&rgb[row * y], &bottomUp[row * (height_ - 1 - y)], row);
  }
  return rgb;
}

void OffscreenWindow::InstallInputHandlers(KeyCallback key, SpecialCallback special,
                                           MouseCallback mouse) {
  keyHandler = key;
  specialHandler = special;
  mouseHandler = mouse;
}

void OffscreenWindow::FullScreen() { ++fullScreenRequests; }

void OffscreenWindow::ReshapeWindow(int width, int height) {
  ++reshapeRequests;
  requestedWidth = width;
  requestedHeight = height;
}

void OffscreenWindow::HideCursor() { cursorHidden = true; }

void OffscreenWindow::SwapBuffers() {
  glFlush();
  ++swaps;
}

void OffscreenWindow::Mouse(int button, int state, int x, int y) const {
  if (mouseHandler != nullptr) mouseHandler(button, state, x, y);
}
