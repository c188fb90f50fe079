// GLUT's options are matched as glutInit matches them, whole and with one dash;
// the usage's key list is the help page's own, so the two cannot drift apart.
#include "glutapp/CommandLine.h"

#include <string_view>

#include "text/HelpScreen.h"

namespace {
constexpr int kFirstKeyLine = 1;  // after the page's title
constexpr int kLastKeyLine = 24;  // "<ESC> to QUIT."; the page's footer stays out

struct GlutOption {
  std::string_view name;
  bool value;  // followed by its value, a word of its own
};
constexpr GlutOption kGlutOptions[] = {
    {"-display", true},   {"-geometry", true}, {"-iconic", false}, {"-direct", false},
    {"-indirect", false}, {"-gldebug", false}, {"-sync", false},
};
}  // namespace

ParseResult ParseWendrixArguments(int argc, char** argv, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i];
    if (word == "-h" || word == "-help" || word == "--help") return ParseResult::kHelp;
    if (word == "--version") return ParseResult::kVersion;
    if (!word.starts_with('-')) continue;
    const GlutOption* glut = nullptr;
    for (const GlutOption& option : kGlutOptions) {
      if (option.name == word) glut = &option;
    }
    if (glut == nullptr) {
      Fail(error, "unknown option " + std::string(word));
      return ParseResult::kUsageError;
    }
    if (glut->value && ++i == argc) {
      Fail(error, std::string(word) + " needs a value");
      return ParseResult::kUsageError;
    }
  }
  return ParseResult::kRun;
}

std::string WendrixUsage() {
  std::string usage =
      "usage: wendrix [-display DISPLAY] [-geometry WxH+X+Y] [-iconic] [-direct | -indirect]\n"
      "               [-gldebug] [-sync]\n"
      "       wendrix -h | -help | --help | --version\n"
      "Full-screen ripple interference toy. The options but the last line's are GLUT's.\n\n"
      "Keys, as the help page (?) lists them; letters act in either case:\n";
  for (int line = kFirstKeyLine; line <= kLastKeyLine; ++line) {
    usage += std::string("  ") + kHelpLines[line] + "\n";
  }
  return usage;
}
