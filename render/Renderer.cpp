// The renderer runs the same PreInit, Init and DisplayHandler as the GLUT
// program, in the same order, on an OffscreenWindow whose size never changes.
#include "render/Renderer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/Clock.h"
#include "app/FrameDriver.h"
#include "app/Shell.h"
#include "image/Png.h"
#include "shared/Frame.h"
#include "window/OffscreenWindow.h"

namespace {

bool Fail(std::string* error, std::string why) {
  if (error != nullptr) *error = std::move(why);
  return false;
}

// --- the run: its clock, and the frame the fade-out's exit leaves behind ---

int64_t renderCounter = 0;  // milliseconds; the counter the clock reads
int64_t RenderCounter() { return renderCounter; }

struct PendingFrame {
  std::string path;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // empty: nothing left to write
};
PendingFrame pending;

bool WritePending() {
  if (pending.rgb.empty()) return true;
  std::string error;
  const bool written = WritePng(pending.path, pending.width, pending.height, pending.rgb, &error);
  pending.rgb.clear();
  if (!written) std::fprintf(stderr, "wendrix-render: %s\n", error.c_str());
  return written;
}

// Runs when the program's own exit ends the process during a frame: the frame
// being drawn is never shown, so the last one drawn before it is the output.
void WritePendingAtExit() {
  if (!WritePending()) std::_Exit(1);
}

// Catches the common mistakes before any frame is drawn: a folder that is not
// there, or a PATH that is a folder. Whatever else fails shows at the write.
bool CheckOutputPath(const std::string& path, std::string* error) {
  struct stat info {};
  if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    return Fail(error, "cannot write " + path + ": it is a directory");
  }
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return true;
  const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
  if (stat(folder.c_str(), &info) != 0) {
    return Fail(error, "cannot write " + path + ": " + folder + ": " + std::strerror(errno));
  }
  if (!S_ISDIR(info.st_mode)) {
    return Fail(error, "cannot write " + path + ": " + folder + " is not a directory");
  }
  return true;
}

// A line on standard error, rewritten in place, once a run to a terminal has
// taken a second; short runs and runs into pipes and files stay silent.
class Progress {
 public:
  explicit Progress(int frames) : frames_(frames), terminal_(isatty(STDERR_FILENO) != 0) {}
  ~Progress() {
    if (shown_) std::fputc('\n', stderr);
  }
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;
  void Done(int frames) {
    const auto now = std::chrono::steady_clock::now();
    if (!terminal_ || now - start_ < std::chrono::seconds(1)) return;
    if (frames < frames_ && now - lastShown_ < std::chrono::milliseconds(200)) return;
    std::fprintf(stderr, "\rwendrix-render: frame %d of %d", frames, frames_);
    shown_ = true;
    lastShown_ = now;
  }

 private:
  int frames_;
  bool terminal_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point lastShown_;
};

void Type(OffscreenWindow& window, const std::vector<KeyPress>& keys) {
  for (const KeyPress& key : keys) {
    if (key.special) {
      window.Special(key.code);
    } else {
      window.Key(static_cast<unsigned char>(key.code));
    }
  }
}

}  // namespace

int RunRenderer(const RenderOptions& options) {
  std::string error;
  if (!CheckOutputPath(FramePath(options.pattern, 0), &error)) {
    std::fprintf(stderr, "wendrix-render: %s\n", error.c_str());
    return 1;
  }
  // Lives to process exit, past the static destructors that still make GL calls.
  auto* window = new OffscreenWindow(options.width, options.height);
  renderCounter = 0;
  SetCounterSource(RenderCounter, 1000);
  if (!StartUp(*window, {}, &error)) {
    std::fprintf(stderr, "wendrix-render: no offscreen OpenGL context: %s\n", error.c_str());
    return 1;
  }
  // Registered after Init's statics, so it runs before their destructors.
  std::atexit(WritePendingAtExit);

  Type(*window, options.keys);
  Progress progress(options.frames);
  for (int frame = 0; frame < options.frames; ++frame) {
    for (const TimedKeys& timed : options.keyAt) {
      if (timed.frame == frame) Type(*window, timed.keys);
    }
    renderCounter = static_cast<int64_t>(frame) * options.frameMs;
    DisplayHandler();  // the clock, RenderFrame and the swap, as GLUT runs them

    const bool last = frame + 1 == options.frames;
    const bool wanted = options.pattern.numbered ? frame >= options.from : last;
    // While the fade runs, the next frame may be the one that ends the program.
    if (wanted || fadeLevel < 1.0f) {
      pending.path = FramePath(options.pattern, frame);
      pending.width = options.width;
      pending.height = options.height;
      pending.rgb = window->ReadRgb();
    }
    if (wanted && !WritePending()) return 1;
    progress.Done(frame + 1);
  }
  return 0;
}

int RenderMain(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  RenderOptions options;
  std::string error;
  switch (ParseRenderArguments(args, &options, &error)) {
    case ParseResult::kHelp: std::fputs(RenderUsage(), stdout); return 0;
    case ParseResult::kVersion: std::puts("wendrix-render " WENDRIX_VERSION); return 0;
    case ParseResult::kUsageError:
      std::fprintf(stderr, "wendrix-render: %s\n%s", error.c_str(), RenderUsage());
      return 2;
    case ParseResult::kRun: break;
  }
  return RunRenderer(options);
}
