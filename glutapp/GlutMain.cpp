// main's start-up sequence over freeglut: PreInit, the window, the callbacks,
// the clock, Init, then GLUT's loop until the program ends or its window is closed.
#include "glutapp/GlutMain.h"

#include <GL/freeglut.h>

#include <string>

#include "app/Process.h"
#include "app/Shell.h"
#include "glutapp/CommandLine.h"
#include "painters/gl/GlPainter.h"
#include "window/glut/GlutWindow.h"

namespace {
void NoMotion(int, int) {}
void NoMouse(int, int, int, int) {}
void NoSpecial(int, int, int) {}

void Display() {
  if (DisplayHandler()) return;
  TearDown();
  glutLeaveMainLoop();
}

void RegisterCallbacks() {
  // The loop returns instead of exiting, and a window closed from outside is torn
  // down while its context is still current.
  glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
  glutCloseFunc(TearDown);
  glutReshapeFunc(ReshapeHandler);
  glutDisplayFunc(Display);
  glutIdleFunc(IdleHandler);
  glutMotionFunc(NoMotion);
  glutMouseFunc(NoMouse);
  glutKeyboardFunc(DefaultKeyHandler);
  glutSpecialFunc(NoSpecial);
}
}  // namespace

void IdleHandler() { glutPostRedisplay(); }

int RunWendrix(int argc, char** argv, std::span<const EmbeddedPng> icons) {
  SetProgramName("wendrix");
  std::string error;
  const ParseResult result = ParseWendrixArguments(argc, argv, &error);
  if (result != ParseResult::kRun) return AnswerParse(result, error, WendrixUsage());
  GlutWindow window(argc, argv, icons);
  GlPainter painter;
  StartUp(window, painter, {.registerCallbacks = RegisterCallbacks}, nullptr);
  glutMainLoop();
  UseWindow(nullptr);
  return 0;
}
