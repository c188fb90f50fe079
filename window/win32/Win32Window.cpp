// The window's life: its creation with a GL context, full screen and back,
// its messages, and for a preview the parent it lives in.
#include "window/win32/Win32Window.h"

#include "cmdline/Arguments.h"
#include "state/Frame.h"
#include "window/win32/Resources.h"
#include "window/win32/WglContext.h"

namespace {
constexpr wchar_t kClassName[] = L"Wendrix";
constexpr DWORD kFramed = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
constexpr DWORD kPopup = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

RECT MonitorArea(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcMonitor;
}

RECT VirtualScreen() {
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_OWNDC;  // one device context for the window's life, as WGL wants
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  // The executable's own icon, at the sizes the task bar and the title bar show.
  const wchar_t* icon = MAKEINTRESOURCEW(WENDRIX_ICON);
  windowClass.hIcon =
      static_cast<HICON>(LoadImageW(instance, icon, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(
      instance, icon, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);
}
}  // namespace

bool Win32Window::Open(std::string* error) {
  if (context_ != nullptr) return true;
  if (window_ == nullptr && !CreateTheWindow(error)) return false;
  context_ = CreateWglContext(dc_, options_.kind != Win32WindowKind::kProgram, error);
  if (context_ == nullptr) return false;
  // Once per refresh: drawing faster than the display shows is heat, not frames.
  SetWglSwapInterval(dc_, 1);
  ShowWindow(window_, SW_SHOW);
  return true;
}

const char* Win32Window::Renderer() {
  renderer_ = WglRenderer();
  return renderer_.empty() ? nullptr : renderer_.c_str();
}

bool Win32Window::OpenImage(std::string* error) {
  DropContext();
  if (window_ == nullptr && !CreateTheWindow(error)) return false;
  imagePath_ = true;
  ShowWindow(window_, SW_SHOW);
  return true;
}

PixelImage Win32Window::Picture() {
  const RECT client = Client();
  const size_t size = static_cast<size_t>(client.right) * client.bottom;
  if (pixels_.size() != size) pixels_.resize(size);
  return {pixels_.data(), client.right, client.bottom, client.right};
}

void Win32Window::DropContext() {
  if (context_ == nullptr) return;
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(context_);
  context_ = nullptr;
}

bool Win32Window::CreateTheWindow(std::string* error) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindowClass(instance, Procedure);
  DWORD style = kFramed, extended = 0;
  RECT area = {0, 0, kLaunchWidth, kLaunchHeight};
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
  if (options_.kind == Win32WindowKind::kProgram) {
    AdjustWindowRectEx(&area, style, FALSE, extended);
  } else if (options_.kind == Win32WindowKind::kSaver) {
    style = kPopup;
    extended = WS_EX_TOPMOST;
    area = VirtualScreen();
    x = area.left;
    y = area.top;
    fullScreen_ = true;
  } else {
    if (IsWindow(options_.parent) == FALSE)
      return Fail(error, "the preview's window does not exist");
    style = WS_CHILD | WS_CLIPSIBLINGS;
    GetClientRect(options_.parent, &area);
    x = y = 0;
  }
  window_ = CreateWindowExW(extended, kClassName, L"Wendrix", style, x, y, area.right - area.left,
                            area.bottom - area.top, options_.parent, nullptr, instance, nullptr);
  if (window_ == nullptr) return Fail(error, "cannot create the window");
  // Creation's own messages went to DefWindowProc; from here on, to Handle.
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  dc_ = GetDC(window_);
  return true;
}

void Win32Window::Close() {
  DropContext();
  // The window itself goes with the process, as Windows ends every window of a process it
  // ends. Destroyed here, a full-screen window keeps Wine waiting two seconds for a window
  // manager to withdraw it where there is none, and the saver would not end at once.
  if (window_ != nullptr) SetWindowLongPtrW(window_, GWLP_USERDATA, 0);  // no messages to us
  window_ = nullptr;
}

bool Win32Window::HandleEvents(ReshapeCallback reshape) {
  MSG message;
  while (!ended_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
    if (message.message == WM_QUIT) ended_ = true;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (options_.kind == Win32WindowKind::kPreview && !ended_) FollowParent();
  const RECT client = Client();
  // A minimised window reports no size; the picture keeps the one it had.
  if (!ended_ && client.right > 0 && client.bottom > 0 &&
      (client.right != reportedWidth_ || client.bottom != reportedHeight_)) {
    reportedWidth_ = client.right;
    reportedHeight_ = client.bottom;
    reshape(reportedWidth_, reportedHeight_);
  }
  return !ended_;
}

void Win32Window::FollowParent() {
  if (IsWindow(options_.parent) == FALSE) {
    ended_ = true;
    return;
  }
  RECT parent;
  GetClientRect(options_.parent, &parent);
  const RECT own = Client();
  if (parent.right != own.right || parent.bottom != own.bottom) {
    MoveWindow(window_, 0, 0, parent.right, parent.bottom, FALSE);
  }
}

RECT Win32Window::Client() const {
  RECT client{};
  if (window_ != nullptr) GetClientRect(window_, &client);
  return client;
}

void Win32Window::FullScreen() {
  if (options_.kind == Win32WindowKind::kPreview || window_ == nullptr) return;
  const bool saver = options_.kind == Win32WindowKind::kSaver;
  if (!fullScreen_) GetWindowRect(window_, &windowed_);
  const RECT area = saver ? VirtualScreen() : MonitorArea(window_);
  fullScreen_ = true;
  SetWindowLongPtrW(window_, GWL_STYLE, kPopup | WS_VISIBLE);
  SetWindowPos(window_, saver ? HWND_TOPMOST : HWND_TOP, area.left, area.top,
               area.right - area.left, area.bottom - area.top, SWP_FRAMECHANGED | SWP_SHOWWINDOW);
}

void Win32Window::ReshapeWindow(int width, int height) {
  if (options_.kind != Win32WindowKind::kProgram || window_ == nullptr) return;
  RECT frame = {0, 0, width, height};
  AdjustWindowRectEx(&frame, kFramed, FALSE, 0);
  UINT flags = SWP_FRAMECHANGED | SWP_SHOWWINDOW;
  if (fullScreen_) {
    // Back where the framed window was before it went full screen.
    SetWindowLongPtrW(window_, GWL_STYLE, kFramed | WS_VISIBLE);
    fullScreen_ = false;
  } else {
    flags |= SWP_NOMOVE;
  }
  SetWindowPos(window_, HWND_TOP, windowed_.left, windowed_.top, frame.right - frame.left,
               frame.bottom - frame.top, flags);
}

void Win32Window::SwapBuffers() {
  if (dc_ == nullptr) return;
  if (!imagePath_) {
    ::SwapBuffers(dc_);
    return;
  }
  const RECT client = Client();
  const size_t size = static_cast<size_t>(client.right) * client.bottom;
  if (size == 0 || pixels_.size() != size) return;  // resized since the frame was made
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc_, 0, 0, static_cast<DWORD>(client.right), static_cast<DWORD>(client.bottom),
                    0, 0, 0, static_cast<UINT>(client.bottom), pixels_.data(), &info,
                    DIB_RGB_COLORS);
}

LRESULT CALLBACK Win32Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The window's own object, kept in its user data by Open.
  auto* self = reinterpret_cast<Win32Window*>(  // NOLINT(performance-no-int-to-ptr)
      GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(window, message, wParam, lParam);
}

LRESULT Win32Window::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Input(message, wParam, lParam)) return 0;
  const bool saver = options_.kind == Win32WindowKind::kSaver;
  switch (message) {
    case WM_ACTIVATEAPP:
      // Another program came to the front: the saver gives way, as Windows' own do.
      if (saver && wParam == FALSE) ended_ = true;
      break;
    case WM_SYSCOMMAND:
      // The running saver: Windows is not to start another over it, nor close it but by input.
      if (saver && ((wParam & 0xFFF0) == SC_SCREENSAVE || (wParam & 0xFFF0) == SC_CLOSE)) return 0;
      // Alt or F10 alone would enter a menu loop that stops the frames; there is no menu bar.
      if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == 0) return 0;
      break;
    case WM_SETCURSOR:
      if (cursorHidden_ && LOWORD(lParam) == HTCLIENT) {
        SetCursor(nullptr);
        return TRUE;
      }
      break;
    case WM_ERASEBKGND: return 1;  // every pixel is drawn by GL; no flash of a brush
    case WM_PAINT: ValidateRect(window_, nullptr); return 0;  // the frames paint it
    case WM_CLOSE: ended_ = true; return 0;  // the front end ends the program its own way
    case WM_DESTROY:
      ended_ = true;
      window_ = nullptr;
      return 0;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void ShowStartFailure(const std::string& why) {
  MessageBoxA(nullptr, ("Wendrix cannot start: " + why).c_str(), "Wendrix", MB_ICONERROR);
}
