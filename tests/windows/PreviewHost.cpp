// A stand-in for the preview of Screen Saver Settings, for tests/windows/saver.py:
// a window of its own, 320x240 inside, that runs the screen saver it is given
// with /p and the window's handle, and says on standard output what the saver
// made in it: "child WxH" whenever a child window's size is new. G grows the
// inside to 400x300, Q closes the window; it ends with the saver's exit status
// once the saver has ended.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;  // the saver's child draws itself

SIZE Outer(int width, int height) {
  RECT frame = {0, 0, width, height};
  AdjustWindowRect(&frame, kStyle, FALSE);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

SIZE reported = {-1, -1};

// The first child's size, once per change.
void ReportChild(HWND window) {
  HWND child = GetWindow(window, GW_CHILD);
  RECT inside{};
  if (child != nullptr) GetClientRect(child, &inside);
  if (inside.right == reported.cx && inside.bottom == reported.cy) return;
  reported = {inside.right, inside.bottom};
  std::printf("child %ldx%ld\n", inside.right, inside.bottom);
  std::fflush(stdout);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    ReportChild(window);
    return 0;
  }
  if (message == WM_KEYDOWN && wParam == 'G') {
    const SIZE outer = Outer(400, 300);
    SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER);
    return 0;
  }
  if (message == WM_KEYDOWN && wParam == 'Q') {
    DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = nullptr;
  windowClass.lpszClassName = "PreviewHost";
  RegisterClassA(&windowClass);
  const SIZE outer = Outer(320, 240);
  HWND window = CreateWindowA("PreviewHost", "Preview host", kStyle | WS_VISIBLE, 100, 80, outer.cx,
                              outer.cy, nullptr, nullptr, windowClass.hInstance, nullptr);
  std::string command =
      std::string("\"") + argv[1] + "\" /p " + std::to_string(reinterpret_cast<uintptr_t>(window));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION saver{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &saver)) {
    return 3;
  }
  SetTimer(window, 1, 50, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DWORD status = 4;  // the saver outlived its window by ten seconds
  if (WaitForSingleObject(saver.hProcess, 10000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(saver.hProcess, &status);
  }
  return static_cast<int>(status);
}
