// One word for the mode and one, joined by a colon or apart, for the window.
#include "winsaver/ScrArguments.h"

#include <cerrno>
#include <cstdlib>

namespace {
// A window handle in decimal, as Windows writes it; 0 when the text is none.
uintptr_t ParseWindow(const char* text) {
  if (text == nullptr || *text < '0' || *text > '9') return 0;
  char* end = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(text, &end, 10);
  if (*end != '\0' || errno != 0) return 0;
  return static_cast<uintptr_t>(value);
}
}  // namespace

ScrCommand ParseScrArguments(int argc, const char* const* argv) {
  ScrCommand command;
  if (argc < 1) return command;
  const char* word = argv[0];
  if ((word[0] != '/' && word[0] != '-') || word[1] == '\0' ||
      (word[2] != '\0' && word[2] != ':')) {
    command.mode = ScrMode::kNothing;
    return command;
  }
  command.window = ParseWindow(word[2] == ':' ? word + 3 : argc > 1 ? argv[1] : nullptr);
  switch (word[1] | 0x20) {  // either case
    case 'c': command.mode = ScrMode::kSettings; break;
    case 's': command.mode = ScrMode::kFullScreen; break;
    case 'p': command.mode = command.window != 0 ? ScrMode::kPreview : ScrMode::kNothing; break;
    default: command.mode = ScrMode::kNothing; break;
  }
  return command;
}
