// wendrix-saver: Wendrix as an XScreenSaver hack, installed as xscreensaver/wendrix.
#include "saver/Saver.h"

int main(int argc, char** argv) { return SaverMain(argc, argv); }
