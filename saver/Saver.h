// wendrix-saver, the XScreenSaver hack: the program's own start-up and frames
// in the window the daemon names, paced by --delay, until a signal ends it or
// the window goes.
#pragma once

#include "saver/SaverOptions.h"

// 0 when the window went; SIGTERM, SIGINT or SIGHUP end it, tidied up, by that
// signal; 1 when it could not start, with one line on stderr saying why.
int RunSaver(const SaverOptions& options);
// The whole executable: parse, then run; wrong arguments give status 2.
int SaverMain(int argc, char** argv);
