// The renderer's progress line: on a terminal, once a run has taken a second,
// one line rewritten in place as the frames are done.
#pragma once

#include <chrono>
#include <cstdio>

using ProgressClock = std::chrono::steady_clock::time_point (*)();

class Progress {
 public:
  // A run of `frames` frames, told on `out` when it is a terminal; `clock`
  // says how long the run has taken (a test sets its own).
  Progress(int frames, std::FILE* out, bool terminal,
           ProgressClock clock = std::chrono::steady_clock::now);
  // Ends the line, if one was shown.
  ~Progress();
  // Ends the line now, if one was shown: the program's own exit skips the destructor.
  void End();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;
  // `frames` are done: shown at most five times a second, and always the last.
  void Done(int frames);

 private:
  int frames_;
  std::FILE* out_;
  bool terminal_;
  ProgressClock clock_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastShown_;
};
