// The renderer runs the same PreInit, Init and DisplayHandler as the GLUT
// program, in the same order, on an OffscreenWindow whose size never changes.
#include "render/Renderer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "app/Clock.h"
#include "app/FrameDriver.h"
#include "app/Process.h"
#include "app/Shell.h"
#include "image/OutputFile.h"
#include "image/Png.h"
#include "platform/Signals.h"
#include "render/Film.h"
#include "render/Progress.h"
#include "shared/Arguments.h"
#include "shared/Frame.h"
#include "window/OffscreenWindow.h"

namespace {

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
std::optional<Progress> progress;  // the run's line, ended by the exit that may end the run
std::optional<Film> film;          // --out's film, ended by the exit that may end the run

// The film's end: its last frames encoded, the file renamed; a pipe closed by its
// reader ends the run as it ends any Unix filter, quietly, by SIGPIPE.
bool FinishFilm(bool finish, std::string error) {
  const bool finished = finish && film->Finish(&error);
  const bool brokenPipe = film->BrokenPipe();
  film.reset();  // ended either way: an unfinished film leaves nothing aside
  if (finished) return true;
  if (progress) progress->End();
  if (brokenPipe) DieOfSignal(SIGPIPE);
  PrintFailure(error);
  return false;
}

bool WritePending() {
  if (pending.rgb.empty()) return true;
  std::string error;
  const bool written = WritePng(pending.path, pending.width, pending.height, pending.rgb, &error);
  pending.rgb.clear();
  if (!written && progress) progress->End();  // the failure on a line of its own
  if (!written) PrintFailure(error);
  return written;
}

// Runs when the program's own exit ends the process during a frame: the frame
// being drawn is never shown, so the last one drawn before it is the output.
void WritePendingAtExit() {
  if (progress) progress->End();
  if (!WritePending() || (film && !FinishFilm(true, ""))) std::_Exit(1);
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

// Tidies up after SIGTERM, SIGINT or SIGHUP: no half-written file is left behind.
void EndRun(int signal) {
  RemoveOutputAside();
  DieOfSignal(signal);
}

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
  if (!CheckOutputPath(FramePath(options.pattern, options.from), &error)) {
    PrintFailure(error);
    return 1;
  }
  CatchEndSignals(EndRun);
  auto opening = std::make_unique<OffscreenWindow>(options.width, options.height);
  renderCounter = 0;
  SetCounterSource(RenderCounter, 1000);
  if (!StartUp(*opening, {}, &error)) {
    PrintFailure("no offscreen OpenGL context: " + error);
    return 1;
  }
  if (options.format != FilmFormat::kPng) {
    const FilmShape shape = {options.format, options.width, options.height, options.frameMs,
                             options.quality};
    if (!film.emplace().Open(options.pattern.prefix, shape, &error)) {
      PrintFailure(error);
      return 1;
    }
  }
  // Open, it lives to process exit, past the static destructors that still make GL calls.
  OffscreenWindow* window = opening.release();
  // Registered after Init's statics, so it runs before their destructors.
  std::atexit(WritePendingAtExit);

  Type(*window, options.keys);
  progress.emplace(options.frames, stderr, isatty(STDERR_FILENO) != 0);
  for (int frame = 0; frame < options.frames; ++frame) {
    for (const TimedKeys& timed : options.keyAt) {
      if (timed.frame == frame) Type(*window, timed.keys);
    }
    renderCounter = static_cast<int64_t>(frame) * options.frameMs;
    DisplayHandler();  // the clock, RenderFrame and the swap, as GLUT runs them
    if (film) {
      if (frame >= options.from && !film->Add(window->ReadRgb(), &error)) {
        FinishFilm(false, error);
        return 1;
      }
      progress->Done(frame + 1);
      continue;
    }

    const bool last = frame + 1 == options.frames;
    const bool wanted = options.pattern.numbered ? frame >= options.from : last;
    // While the fade runs, the next frame may be the one that ends the program, and then
    // this one is the output; numbered frames before --from are never written.
    if (wanted || (!options.pattern.numbered && fadeLevel < 1.0f)) {
      pending.path = FramePath(options.pattern, frame);
      pending.width = options.width;
      pending.height = options.height;
      pending.rgb = window->ReadRgb();
    }
    if (wanted && !WritePending()) return 1;
    progress->Done(frame + 1);
  }
  if (film && !FinishFilm(true, "")) return 1;
  progress->End();
  return 0;
}

int RenderMain(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  RenderOptions options;
  std::string error;
  SetProgramName("wendrix-render");
  const ParseResult result = ParseRenderArguments(args, &options, &error);
  return result == ParseResult::kRun ? RunRenderer(options)
                                     : AnswerParse(result, error, RenderUsage());
}
