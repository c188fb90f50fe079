// The usage's key list is the help page's own, so the two cannot drift apart.
#include "app/CommandLine.h"

#include <cstdio>
#include <cstring>

#include "text/HelpScreen.h"

namespace {
constexpr int kFirstKeyLine = 1;  // after the page's title
constexpr int kLastKeyLine = 24;  // "<ESC> to QUIT."; the page's footer stays out

void PrintUsage() {
  std::puts(
      "usage: wendrix [GLUT options]\n"
      "Full-screen ripple interference toy. Arguments other than --help and --version\n"
      "go to GLUT, for example -display DISPLAY, -geometry WxH+X+Y or -sync.\n\n"
      "Keys, as the help page (?) lists them; letters act in either case:");
  for (int line = kFirstKeyLine; line <= kLastKeyLine; ++line)
    std::printf("  %s\n", kHelpLines[line]);
}
}  // namespace

bool AnswerInfoOption(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      PrintUsage();
      return true;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::puts("wendrix " WENDRIX_VERSION);
      return true;
    }
  }
  return false;
}
