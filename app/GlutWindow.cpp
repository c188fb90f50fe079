// freeglut behind the window seam.
#include "app/GlutWindow.h"

#include <GL/freeglut.h>

#include "app/Process.h"

namespace {
constexpr unsigned kReshapeDelayMs = 50;  // after the full-screen exit has reached the server

int pendingWidth = 0;  // a size asked for while full screen was being left
int pendingHeight = 0;
int reshapeRequest = 0;  // numbers the requests; a newer one voids a pending resize

void ApplyPendingReshape(int request) {
  // F pressed again within the delay asked for full screen: the resize is stale.
  if (request == reshapeRequest) glutReshapeWindow(pendingWidth, pendingHeight);
}
}  // namespace

void GlutWindow::InstallInputHandlers(KeyCallback key, SpecialCallback special,
                                      MouseCallback mouse) {
  glutKeyboardFunc(key);
  glutSpecialFunc(special);
  glutMouseFunc(mouse);
  glutMotionFunc(nullptr);
}

void GlutWindow::FullScreen() {
  ++reshapeRequest;
  glutFullScreen();
}

void GlutWindow::ReshapeWindow(int width, int height) {
  ++reshapeRequest;
  if (glutGet(GLUT_FULL_SCREEN) != 0) {
    // Leaving full screen restores the size the window had before it, after
    // any resize asked for now; so leave first and resize a moment later.
    glutLeaveFullScreen();
    pendingWidth = width;
    pendingHeight = height;
    glutTimerFunc(kReshapeDelayMs, ApplyPendingReshape, reshapeRequest);
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
