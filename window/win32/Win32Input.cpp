// Keyboard and mouse messages in GLUT's terms (windowsystem/Keys.h): characters from
// WM_CHAR, the special keys from WM_KEYDOWN; for a screen saver, the end.
#include <cstdlib>

#include "window/win32/Win32Window.h"
#include "windowsystem/Keys.h"

namespace {
constexpr int kMoveSlack = 5;  // pixels a saver's pointer may drift before it counts as a move

// GLUT's special-key code for a virtual key, or -1 when it has none.
int SpecialKey(WPARAM key) {
  if (key >= VK_F1 && key <= VK_F12) return kKeyF1 + static_cast<int>(key - VK_F1);
  switch (key) {
    case VK_LEFT: return kKeyLeft;
    case VK_UP: return kKeyUp;
    case VK_RIGHT: return kKeyRight;
    case VK_DOWN: return kKeyDown;
    case VK_PRIOR: return kKeyPageUp;
    case VK_NEXT: return kKeyPageDown;
    case VK_HOME: return kKeyHome;
    case VK_END: return kKeyEnd;
    case VK_INSERT: return kKeyInsert;
    default: return -1;
  }
}

POINT Pointer(HWND window) {
  POINT at{};
  GetCursorPos(&at);
  ScreenToClient(window, &at);
  return at;
}
}  // namespace

void Win32Window::InstallInputHandlers(KeyCallback key, SpecialCallback special,
                                       MouseCallback mouse) {
  key_ = key;
  special_ = special;
  mouse_ = mouse;
}

// True when the message was input and has been dealt with.
bool Win32Window::Input(UINT message, WPARAM wParam, LPARAM lParam) {
  const bool saver = options_.kind == Win32WindowKind::kSaver;
  int button = kLeftButton, state = kButtonDown;
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      if (saver) {
        ended_ = true;
        return true;
      }
      const POINT at = Pointer(window_);
      // Delete gives no character on Windows; GLUT hands it over as 127.
      if (wParam == VK_DELETE && key_ != nullptr) key_(127, at.x, at.y);
      const int code = SpecialKey(wParam);
      if (code >= 0 && special_ != nullptr) special_(code, at.x, at.y);
      return false;  // TranslateMessage makes its character; Alt+F4 stays Windows'
    }
    case WM_CHAR: {
      const POINT at = Pointer(window_);
      if (!saver && wParam < 256 && key_ != nullptr)
        key_(static_cast<unsigned char>(wParam), at.x, at.y);
      return true;
    }
    case WM_MOUSEMOVE: {
      if (!saver) return true;
      const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      // Windows reports where the pointer is when the window appears: not a move.
      if (!moved_) {
        firstMove_ = at;
        moved_ = true;
      } else if (std::abs(at.x - firstMove_.x) > kMoveSlack ||
                 std::abs(at.y - firstMove_.y) > kMoveSlack) {
        ended_ = true;
      }
      return true;
    }
    case WM_LBUTTONUP: state = kButtonUp; break;
    case WM_LBUTTONDOWN: break;
    case WM_MBUTTONUP: state = kButtonUp; [[fallthrough]];
    case WM_MBUTTONDOWN: button = kMiddleButton; break;
    case WM_RBUTTONUP: state = kButtonUp; [[fallthrough]];
    case WM_RBUTTONDOWN: button = kRightButton; break;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_XBUTTONDOWN:
      if (saver) ended_ = true;  // no GLUT button of their own: only a saver minds them
      return saver;
    default: return false;
  }
  if (saver) {
    ended_ = true;
    return true;
  }
  if (mouse_ != nullptr) {
    mouse_(button, state, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
  }
  return true;
}
