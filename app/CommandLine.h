// wendrix's only options of its own, --help and --version, answered before
// GLUT sees the command line; everything else is GLUT's.
#pragma once

// Prints the usage with the keys, or the version, when an argument asks for
// one; true then, and the caller ends with status 0 without opening a window.
bool AnswerInfoOption(int argc, char** argv);
