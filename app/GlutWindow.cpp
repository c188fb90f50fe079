// freeglut behind the window seam, and the program's GLUT main.
#include "app/GlutWindow.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

#include "app/Clock.h"
#include "app/Shell.h"

namespace {
constexpr unsigned kReshapeDelayMs = 50;  // after the full-screen exit has reached the server
}

void GlutWindow::InstallInputHandlers(KeyCallback key, SpecialCallback special,
                                      MouseCallback mouse) {
  glutKeyboardFunc(key);
  glutSpecialFunc(special);
  glutMouseFunc(mouse);
  glutMotionFunc(nullptr);
}

void GlutWindow::FullScreen() { glutFullScreen(); }

namespace {
int pendingWidth = 0;  // a size asked for while full screen was being left
int pendingHeight = 0;

void ApplyPendingReshape(int) { glutReshapeWindow(pendingWidth, pendingHeight); }
}  // namespace

void GlutWindow::ReshapeWindow(int width, int height) {
  if (glutGet(GLUT_FULL_SCREEN) != 0) {
    // Leaving full screen restores the size the window had before it, after
    // any resize asked for now; so leave first and resize a moment later.
    glutLeaveFullScreen();
    pendingWidth = width;
    pendingHeight = height;
    glutTimerFunc(kReshapeDelayMs, ApplyPendingReshape, 0);
    return;
  }
  glutReshapeWindow(width, height);
}

void GlutWindow::HideCursor() { glutSetCursor(GLUT_CURSOR_NONE); }

int GlutWindow::WindowWidth() const { return glutGet(GLUT_WINDOW_WIDTH); }

int GlutWindow::WindowHeight() const { return glutGet(GLUT_WINDOW_HEIGHT); }

void GlutWindow::SwapBuffers() { glutSwapBuffers(); }

void CreateAppWindow(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH | GLUT_MULTISAMPLE);
  glutInitWindowSize(static_cast<int>(screenWidth), static_cast<int>(screenHeight));
  glutCreateWindow("Wendrix");
}

namespace {
void NoMotion(int, int) {}
void NoMouse(int, int, int, int) {}
void NoSpecial(int, int, int) {}
}  // namespace

void IdleHandler() { glutPostRedisplay(); }

int RunWendrix(int argc, char** argv) {
  if (!PreInit()) {
    std::printf("App returned false on PreInit(), we shouldn't really continue.\n");
    std::exit(0);
  }
  static GlutWindow window;
  UseWindow(&window);
  CreateAppWindow(argc, argv);
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
