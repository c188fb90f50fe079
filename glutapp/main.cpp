// wendrix: the ripple interference toy in a full-screen GLUT window.
#include "glutapp/GlutMain.h"

int main(int argc, char** argv) { return RunWendrix(argc, argv, WendrixIcons()); }
