// wendrix.scr /p in a window of the test's own, as the preview of Screen Saver Settings
// runs it: its child fills the window and follows its size, it makes no window of its
// own, and it ends with status 0 once the window goes. Wine on Xvfb shows nothing drawn
// in a child window of another process, by OpenGL or by GDI (the preview's image), so
// the child's size stands for its picture.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

namespace {

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;  // the saver's child draws itself

// Sizes the window so that its inside is width x height.
void SizeInside(HWND window, int width, int height) {
  RECT frame = {0, 0, width, height};
  AdjustWindowRect(&frame, kStyle, FALSE);
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
}

// Whether the window's first child comes to be width x height inside within ten seconds, the
// window's messages handled meanwhile (a child of another process waits on them).
bool ChildComesTo(HWND window, int width, int height) {
  for (int tick = 0; tick < 200; ++tick, Sleep(50)) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    RECT inside{};
    if (HWND child = GetWindow(window, GW_CHILD); child != nullptr) GetClientRect(child, &inside);
    if (inside.right == width && inside.bottom == height) return true;
  }
  return false;
}

TEST(Preview, TheSaversChildFillsTheWindowFollowsItAndEndsWithIt) {
  HWND window = CreateWindowA("STATIC", "Preview", kStyle, 100, 80, 0, 0, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  SizeInside(window, 320, 240);
  std::string command =
      "\"" WENDRIX_SCR "\" /p " + std::to_string(reinterpret_cast<uintptr_t>(window));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION saver{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &saver));
  EXPECT_TRUE(ChildComesTo(window, 320, 240));
  EnumWindows(
      [](HWND top, LPARAM saverProcess) {
        DWORD process = 0;
        GetWindowThreadProcessId(top, &process);
        EXPECT_FALSE(process == saverProcess && IsWindowVisible(top)) << "a window of its own";
        return TRUE;
      },
      saver.dwProcessId);
  SizeInside(window, 400, 300);
  EXPECT_TRUE(ChildComesTo(window, 400, 300));
  DestroyWindow(window);
  ASSERT_EQ(WaitForSingleObject(saver.hProcess, 10000), WAIT_OBJECT_0);
  DWORD status = 4;
  GetExitCodeProcess(saver.hProcess, &status);
  EXPECT_EQ(status, 0u);
}

}  // namespace
