// wendrix's command line: its own -h, -help, --help and --version, answered
// before GLUT sees the arguments, and GLUT's options, which go to GLUT as given.
#pragma once

#include <string>

#include "cmdline/Arguments.h"

// kRun when every argument is GLUT's (or a plain word, which GLUT leaves
// alone); an option GLUT does not take, or one of its options without its
// value, is a usage error naming it.
ParseResult ParseWendrixArguments(int argc, char** argv, std::string* error);
// The usage, with the keys as the help page (?) lists them.
std::string WendrixUsage();
