// main's start-up sequence over freeglut: PreInit, the window, the callbacks,
// the clock, Init, then GLUT's loop until the program exits itself.
#include "app/GlutMain.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

#include "app/Clock.h"
#include "app/CommandLine.h"
#include "app/Shell.h"
#include "window/glut/GlutWindow.h"

namespace {
void NoMotion(int, int) {}
void NoMouse(int, int, int, int) {}
void NoSpecial(int, int, int) {}
}  // namespace

void IdleHandler() { glutPostRedisplay(); }

int RunWendrix(int argc, char** argv, std::span<const EmbeddedPng> icons) {
  if (AnswerInfoOption(argc, argv)) return 0;
  if (!PreInit()) {
    std::printf("App returned false on PreInit(), we shouldn't really continue.\n");
    std::exit(0);
  }
  static GlutWindow window;
  UseWindow(&window);
  CreateAppWindow(argc, argv, icons);
  glutReshapeFunc(ReshapeHandler);
  glutDisplayFunc(DisplayHandler);
  glutIdleFunc(IdleHandler);
  glutMotionFunc(NoMotion);
  glutMouseFunc(NoMouse);
  glutKeyboardFunc(DefaultKeyHandler);
  glutSpecialFunc(NoSpecial);
  StartClock();
  if (!Init()) {
    std::printf("App failed to initialize.\n");
    std::exit(0);
  }
  glutMainLoop();
  ExitApp();
}
