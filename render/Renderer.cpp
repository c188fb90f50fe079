// The renderer runs the same PreInit, Init and DisplayHandler as the GLUT
// program, in the same order, on an OffscreenWindow whose size never changes.
#include "render/Renderer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "app/Clock.h"
#include "app/Process.h"
#include "app/Shell.h"
#include "cmdline/Arguments.h"
#include "image/OutputFile.h"
#include "image/Png.h"
#include "painters/gl/GlPainter.h"
#include "platform/Signals.h"
#include "render/Film.h"
#include "render/Progress.h"
#include "state/Frame.h"
#include "window/OffscreenWindow.h"

namespace {

// --- the run: its clock, and the frame the fade-out's end leaves behind ---

struct PendingFrame {
  std::string path;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // empty: nothing left to write
};

bool WritePending(PendingFrame& pending, Progress& progress) {
  if (pending.rgb.empty()) return true;
  std::string error;
  const bool written = WritePng(pending.path, pending.width, pending.height, pending.rgb, &error);
  pending.rgb.clear();
  if (!written) progress.End();  // the failure on a line of its own
  if (!written) PrintFailure(error);
  return written;
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

// The film's end, also after a frame it refused: 0 once it is whole, else 1 after
// saying why. A pipe closed by its reader ends the run as it ends any Unix filter,
// quietly, by SIGPIPE.
int EndFilm(Film& film, Progress& progress) {
  std::string error;
  if (film.Finish(&error)) return 0;
  progress.End();
  if (film.BrokenPipe()) DieOfSignal(SIGPIPE);
  PrintFailure(error);
  return 1;
}

// The frames, until the last or until Escape's fade ends the program, as PNG
// files or into the film: 0, or 1 after a write that failed.
int DrawFrames(OffscreenWindow& window, const RenderOptions& options, Film* film) {
  Type(window, options.keys);
  Progress progress(options.frames, stderr, isatty(STDERR_FILENO) != 0);
  PendingFrame pending;
  for (int frame = 0; frame < options.frames; ++frame) {
    for (const TimedKeys& timed : options.keyAt) {
      if (timed.frame == frame) Type(window, timed.keys);
    }
    TurnCounterTo(static_cast<int64_t>(frame) * options.frameMs);
    // The clock, RenderFrame and the swap, as GLUT runs them. The frame that
    // ends the program is never shown: the one drawn before it is the output.
    if (!DisplayHandler()) {
      progress.End();
      if (film != nullptr) return EndFilm(*film, progress);
      return WritePending(pending, progress) ? 0 : 1;
    }
    if (film != nullptr) {
      if (frame >= options.from && !film->Add(window.ReadRgb())) return EndFilm(*film, progress);
      progress.Done(frame + 1);
      continue;
    }
    const bool last = frame + 1 == options.frames;
    const bool wanted = options.pattern.numbered ? frame >= options.from : last;
    // While the fade runs, the next frame may be the one that ends the program, and then
    // this one is the output; numbered frames before --from are never written.
    if (wanted || (!options.pattern.numbered && fadeLevel < 1.0f)) {
      pending = {FramePath(options.pattern, frame), options.width, options.height,
                 window.ReadRgb()};
    }
    if (wanted && !WritePending(pending, progress)) return 1;
    progress.Done(frame + 1);
  }
  return film != nullptr ? EndFilm(*film, progress) : 0;
}
}  // namespace

int RunRenderer(const RenderOptions& options) {
  std::string error;
  if (!CheckOutputPath(FramePath(options.pattern, options.from), &error)) {
    PrintFailure(error);
    return 1;
  }
  CatchEndSignals(EndRun);
  std::optional<Film> film;
  if (options.format != FilmFormat::kPng) {
    const FilmShape shape = {options.format, options.width, options.height, options.frameMs,
                             options.quality};
    if (!film.emplace().Open(options.pattern.prefix, shape, &error)) {
      PrintFailure(error);
      return 1;
    }
  }
  OffscreenWindow window(options.width, options.height);
  UseTurnedCounter();
  GlPainter painter;
  if (!StartUp(window, painter, {}, &error)) {
    PrintFailure("no offscreen OpenGL context: " + error);
    return 1;
  }
  const int status = DrawFrames(window, options, film ? &*film : nullptr);
  TearDown();
  UseWindow(nullptr);
  return status;
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
