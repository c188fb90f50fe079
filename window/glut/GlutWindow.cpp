// freeglut behind the window seam.
#include "window/glut/GlutWindow.h"

#include <GL/freeglut.h>
#include <GL/glx.h>

#include "state/Frame.h"
#include "window/xlib/SwapInterval.h"
#include "windowsystem/Keys.h"

// GLUT delivers the shared codes as they are.
static_assert(GLUT_KEY_LEFT == kKeyLeft && GLUT_KEY_UP == kKeyUp && GLUT_KEY_RIGHT == kKeyRight &&
              GLUT_KEY_DOWN == kKeyDown && GLUT_KEY_F1 == kKeyF1 && GLUT_KEY_F12 == kKeyF12 &&
              GLUT_KEY_PAGE_UP == kKeyPageUp && GLUT_KEY_PAGE_DOWN == kKeyPageDown &&
              GLUT_KEY_HOME == kKeyHome && GLUT_KEY_END == kKeyEnd &&
              GLUT_KEY_INSERT == kKeyInsert);
static_assert(GLUT_LEFT_BUTTON == kLeftButton && GLUT_MIDDLE_BUTTON == kMiddleButton &&
              GLUT_RIGHT_BUTTON == kRightButton && GLUT_DOWN == kButtonDown &&
              GLUT_UP == kButtonUp);

namespace {
constexpr unsigned kReshapeDelayMs = 50;  // after the full-screen exit has reached the server

int pendingWidth = 0;  // a size asked for while full screen was being left
int pendingHeight = 0;
bool pendingFullScreen = false;  // the pending request is full screen, not a size
bool leaving = false;            // a leave of full screen is within its delay
int reshapeRequest = 0;          // numbers the requests; a newer one voids a pending one

void ApplyPendingReshape(int request) {
  // F pressed again within the delay asked for something else: this one is stale.
  if (request != reshapeRequest) return;
  leaving = false;
  if (pendingFullScreen) {
    // The leave queues a resize back to the old size for GLUT's next pass,
    // which would land after this entry: a resize to the screen first takes its place.
    glutReshapeWindow(glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
    glutFullScreen();
  } else {
    glutReshapeWindow(pendingWidth, pendingHeight);
  }
}
}  // namespace

bool GlutWindow::Open(std::string*) {
  // GLUT ends the process itself when it cannot make the window.
  if (!open_) CreateAppWindow(argc_, argv_, icons_);
  open_ = true;
  return true;
}

void GlutWindow::InstallInputHandlers(KeyCallback key, SpecialCallback special,
                                      MouseCallback mouse) {
  glutKeyboardFunc(key);
  glutSpecialFunc(special);
  glutMouseFunc(mouse);
  glutMotionFunc(nullptr);
}

void GlutWindow::FullScreen() {
  ++reshapeRequest;
  if (leaving) {
    // GLUT would take this for the leave it still holds, or run it before the
    // leave's own resize: enter once the leave is through, as a resize would.
    pendingFullScreen = true;
    glutTimerFunc(kReshapeDelayMs, ApplyPendingReshape, reshapeRequest);
    return;
  }
  glutFullScreen();
}

void GlutWindow::ReshapeWindow(int width, int height) {
  ++reshapeRequest;
  if (glutGet(GLUT_FULL_SCREEN) != 0) {
    // Leaving full screen restores the size the window had before it, after
    // any resize asked for now; so leave first and resize a moment later.
    glutLeaveFullScreen();
    leaving = true;
    pendingFullScreen = false;
    pendingWidth = width;
    pendingHeight = height;
    glutTimerFunc(kReshapeDelayMs, ApplyPendingReshape, reshapeRequest);
    return;
  }
  leaving = false;  // this size replaces whatever the leave would restore
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

bool GlutWindow::HandleEvents(ReshapeCallback) {
  glutMainLoopEvent();
  return glutGetWindow() != 0;
}
