// Short runs and runs into pipes and files stay silent; a long one to a
// terminal says how far it has come.
#include "render/Progress.h"

#include "cmdline/Arguments.h"

namespace {
constexpr auto kQuiet = std::chrono::seconds(1);  // shorter runs say nothing
constexpr auto kBetweenLines = std::chrono::milliseconds(200);
}  // namespace

Progress::Progress(int frames, std::FILE* out, bool terminal, ProgressClock clock)
    : frames_(frames), out_(out), terminal_(terminal), clock_(clock), start_(clock()) {}

Progress::~Progress() { End(); }

void Progress::End() {
  if (shown_) std::fputc('\n', out_);
  shown_ = false;
}

void Progress::Done(int frames) {
  const auto now = clock_();
  if (!terminal_ || now - start_ < kQuiet) return;
  if (frames < frames_ && now - lastShown_ < kBetweenLines) return;
  std::fprintf(out_, "\r%s: frame %d of %d", ProgramName(), frames, frames_);
  shown_ = true;
  lastShown_ = now;
}
