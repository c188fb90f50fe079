// The window seam over Win32 and WGL: wendrix.exe's window, and the screen
// saver's window over every monitor or inside the preview that Windows shows,
// into which the saver's picture comes by GL or as an image made on the processor.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "windowsystem/PixelImage.h"
#include "windowsystem/Window.h"

enum class Win32WindowKind {
  kProgram,  // 640x480, then full screen over its monitor; keys and mouse to the handlers
  kSaver,    // full screen over every monitor, above all; input ends it
  kPreview,  // a child filling another program's window, following its size and its end
};

struct Win32WindowOptions {
  Win32WindowKind kind = Win32WindowKind::kProgram;
  HWND parent = nullptr;  // kPreview: the window to draw inside
};

class Win32Window : public WindowSystem, public ImageTarget {
 public:
  explicit Win32Window(const Win32WindowOptions& options) : options_(options) {}
  ~Win32Window() override { Close(); }
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  // Creates the window with its pixel format and makes a context current.
  bool Open(std::string* error) override;
  // The name of the renderer a GL context would have, asked of a throwaway
  // window so that this one stays free for GDI; null where there is none.
  const char* Renderer();
  // Presents by image instead: any GL context given back, the window created
  // where Open has not. False with a reason.
  bool OpenImage(std::string* error);
  // The image SwapBuffers puts on the window, of the window's size; empty on the GL path.
  PixelImage Picture() override;
  // False once the window was closed, input ended a saver, or a preview's parent has gone.
  bool HandleEvents(ReshapeCallback reshape) override;
  // Deletes the context and leaves the window to the process's end; safe to call twice.
  void Close();
  HWND handle() const { return window_; }

  void InstallInputHandlers(KeyCallback key, SpecialCallback special, MouseCallback mouse) override;
  // Full screen over the monitor (kProgram) or every monitor (kSaver); a preview keeps its size.
  void FullScreen() override;
  // A window with a frame whose inside is width x height (kProgram only).
  void ReshapeWindow(int width, int height) override;
  // Over its own window; a preview leaves the pointer to the dialog it sits in.
  void HideCursor() override { cursorHidden_ = options_.kind != Win32WindowKind::kPreview; }
  int WindowWidth() const override { return Client().right; }
  int WindowHeight() const override { return Client().bottom; }
  // GL's back buffer shown, or the image put with SetDIBitsToDevice.
  void SwapBuffers() override;

 private:
  bool CreateTheWindow(std::string* error);
  void DropContext();
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool Input(UINT message, WPARAM wParam, LPARAM lParam);
  void FollowParent();
  RECT Client() const;

  Win32WindowOptions options_;
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
  HGLRC context_ = nullptr;
  KeyCallback key_ = nullptr;
  SpecialCallback special_ = nullptr;
  MouseCallback mouse_ = nullptr;
  bool cursorHidden_ = false;
  bool fullScreen_ = false;
  bool ended_ = false;      // closed, or a saver's input came
  POINT firstMove_{};       // a saver's pointer when Windows first reported it
  bool moved_ = false;      // whether it has
  int reportedWidth_ = -1;  // the size last handed to the reshape callback
  int reportedHeight_ = -1;
  RECT windowed_{};  // kProgram: where the framed window was before full screen
  bool imagePath_ = false;
  std::vector<uint32_t> pixels_;
  std::string renderer_;  // the image, reportedWidth_ x reportedHeight_, top row first
};

// A program that could not open its window says why in a message box: Windows
// programs have no console to say it on.
void ShowStartFailure(const std::string& why);
