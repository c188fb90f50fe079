// The program's spine: start-up hooks and the window callbacks every window
// system drives alike.
#pragma once

#include <cstdint>
#include <string>

class Painter;
class WindowSystem;

// Seeds the generator from the clock, still 0, so every run starts alike.
bool PreInit();
// Application set-up, after the window exists and the clock has started.
bool Init();

// How a program starts; only the window differs from one program to the next.
struct StartUpOptions {
  bool startHint = true;                  // "Press ? key ...": a screen saver takes no keys
  void (*registerCallbacks)() = nullptr;  // the window system's own, before the clock starts
};
// main's order: PreInit, the window opened for the painter and made, with it, the
// one drawn into, its size, its callbacks, the clock started, Init. False with a
// reason when the window cannot open; a failed PreInit or Init says so on standard
// output and exits 0.
bool StartUp(WindowSystem& window, Painter& painter, const StartUpOptions& options,
             std::string* error);

// The size every frame reads, and the painter's.
void ReshapeHandler(int width, int height);
// The clock, RenderFrame and the swap; false, with nothing swapped, once the
// program has ended: the caller then calls TearDown and leaves its loop.
[[nodiscard]] bool DisplayHandler();
// Serves until Init installs the application's own keys; its Escape ends the
// program at the next frame.
void DefaultKeyHandler(unsigned char key, int x, int y);
