// The segment is marked for removal as soon as both ends have attached it, so
// that the system frees it whenever the hack ends, by a signal or a crash too.
#include "window/xlib/XImageBuffer.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <bit>
#include <cstdlib>
#include <cstring>

#include "cmdline/Arguments.h"

namespace {
bool attachFailed = false;

int NoteAttachError(Display*, XErrorEvent*) {
  attachFailed = true;
  return 0;
}

// A segment the server would map is one on its own machine: a display reached
// over the network (host:0, ssh's localhost:10) shares no memory with it.
bool LocalDisplay(Display* display) {
  const char* name = DisplayString(display);
  return name != nullptr && (name[0] == ':' || std::strncmp(name, "unix:", 5) == 0);
}

constexpr int kHostByteOrder = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
}  // namespace

bool VisualTakesPixelImage(const Visual* visual, int depth) {
  return visual != nullptr && visual->c_class == TrueColor && (depth == 24 || depth == 32) &&
         visual->red_mask == 0xff0000 && visual->green_mask == 0xff00 && visual->blue_mask == 0xff;
}

bool XImageBuffer::Create(Display* display, Window window, Visual* visual, int depth, int width,
                          int height, std::string* error) {
  Release();
  display_ = display;
  window_ = window;
  gc_ = XCreateGC(display, window, 0, nullptr);
  if (!AttachShared(visual, depth, width, height)) {
    image_ = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                          static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    if (image_ == nullptr || image_->bits_per_pixel != 32) {
      return Fail(error, "the window's visual keeps no 32-bit pixels");
    }
    image_->byte_order = kHostByteOrder;  // Xlib reorders the bytes for a server that differs
    image_->data =
        static_cast<char*>(std::malloc(static_cast<size_t>(image_->bytes_per_line) * height));
    if (image_->data == nullptr) return Fail(error, "no memory for the window's image");
  }
  picture_ = {reinterpret_cast<uint32_t*>(image_->data), width, height, image_->bytes_per_line / 4};
  return true;
}

bool XImageBuffer::AttachShared(Visual* visual, int depth, int width, int height) {
  if (XShmQueryExtension(display_) == 0 || !LocalDisplay(display_)) return false;
  image_ = XShmCreateImage(display_, visual, static_cast<unsigned>(depth), ZPixmap, nullptr,
                           &segment_, static_cast<unsigned>(width), static_cast<unsigned>(height));
  if (image_ == nullptr) return false;
  segment_.shmid = -1;
  if (image_->bits_per_pixel == 32) {
    segment_.shmid =
        shmget(IPC_PRIVATE, static_cast<size_t>(image_->bytes_per_line) * height, IPC_CREAT | 0600);
  }
  if (segment_.shmid >= 0) {
    segment_.shmaddr = static_cast<char*>(shmat(segment_.shmid, nullptr, 0));
    if (segment_.shmaddr != reinterpret_cast<char*>(-1)) {  // NOLINT(performance-no-int-to-ptr)
      segment_.readOnly = False;
      attachFailed = false;
      XErrorHandler previous = XSetErrorHandler(NoteAttachError);
      const bool attached = XShmAttach(display_, &segment_) != 0;
      XSync(display_, False);
      XSetErrorHandler(previous);
      shmctl(segment_.shmid, IPC_RMID, nullptr);
      if (attached && !attachFailed) {
        image_->data = segment_.shmaddr;
        shared_ = true;
        return true;
      }
      shmdt(segment_.shmaddr);
    } else {
      shmctl(segment_.shmid, IPC_RMID, nullptr);
    }
  }
  XDestroyImage(image_);  // its data is null: nothing of the segment's is freed
  image_ = nullptr;
  return false;
}

void XImageBuffer::Put() {
  const auto width = static_cast<unsigned>(picture_.width);
  const auto height = static_cast<unsigned>(picture_.height);
  if (shared_) {
    XShmPutImage(display_, window_, gc_, image_, 0, 0, 0, 0, width, height, False);
    XSync(display_, False);
  } else {
    XPutImage(display_, window_, gc_, image_, 0, 0, 0, 0, width, height);
    XFlush(display_);
  }
}

void XImageBuffer::Release() {
  if (shared_) {
    XShmDetach(display_, &segment_);
    XSync(display_, False);
    image_->data = nullptr;
    shmdt(segment_.shmaddr);
    shared_ = false;
  }
  if (image_ != nullptr) XDestroyImage(image_);  // frees XPutImage's data with free()
  image_ = nullptr;
  if (gc_ != nullptr) XFreeGC(display_, gc_);
  gc_ = nullptr;
  picture_ = {};
}
