// freeglut behind the window seam.
#include "app/GlutWindow.h"

#include <GL/freeglut.h>
#include <GL/glx.h>

#include "app/Process.h"
#include "app/SwapInterval.h"

namespace {
constexpr unsigned kReshapeDelayMs = 50;  // after the full-screen exit has reached the server

int pendingWidth = 0;  // a size asked for while full screen was being left
int pendingHeight = 0;
bool pendingFullScreen = false;  // the pending request is full screen, not a size
int reshapeRequest = 0;          // numbers the requests; a newer one voids a pending one

// Leaving full screen queues a resize back to the old size for GLUT's next
// pass, which would land after an entry asked for before it: a resize to the
// screen's size first takes its place.
void EnterFullScreen() {
  glutReshapeWindow(glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
  glutFullScreen();
}

void ApplyPendingReshape(int request) {
  // F pressed again within the delay asked for something else: this one is stale.
  if (request != reshapeRequest) return;
  if (pendingFullScreen) {
    EnterFullScreen();
  } else {
    glutReshapeWindow(pendingWidth, pendingHeight);
  }
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
  if (glutGet(GLUT_FULL_SCREEN) != 0) {
    // A leave asked for among the same events has not run yet, and GLUT takes
    // this request for the one it already holds: enter again once it has run.
    pendingFullScreen = true;
    glutTimerFunc(kReshapeDelayMs, ApplyPendingReshape, reshapeRequest);
    return;
  }
  EnterFullScreen();
}

void GlutWindow::ReshapeWindow(int width, int height) {
  ++reshapeRequest;
  if (glutGet(GLUT_FULL_SCREEN) != 0) {
    // Leaving full screen restores the size the window had before it, after
    // any resize asked for now; so leave first and resize a moment later.
    glutLeaveFullScreen();
    pendingFullScreen = false;
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

void CreateAppWindow(int argc, char** argv, std::span<const EmbeddedPng> icons) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH | GLUT_MULTISAMPLE);
  glutInitWindowSize(static_cast<int>(screenWidth), static_cast<int>(screenHeight));
  glutCreateWindow("Wendrix");
  // freeglut names neither; its new window's context is current, so GLX does.
  Display* display = glXGetCurrentDisplay();
  const GLXDrawable window = glXGetCurrentDrawable();
  SetWindowIdentity(display, window, icons);
  // Once per refresh: drawing faster than the display shows is heat, not frames.
  SetSwapInterval(display, window, 1);
}
