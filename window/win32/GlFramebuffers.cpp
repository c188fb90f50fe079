// The framebuffer-object entry points the offscreen window calls, which
// Windows' opengl32 does not export: each is looked up through
// wglGetProcAddress on its first call, on the context current then.
#define GL_GLEXT_PROTOTYPES 1
#include <windows.h>
// windows.h first: it gives gl.h its macros.
#include <GL/gl.h>
#include <GL/glext.h>

namespace {
template <typename Function>
Function Entry(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}
}  // namespace

void APIENTRY glGenFramebuffers(GLsizei n, GLuint* names) {
  static const auto entry = Entry<PFNGLGENFRAMEBUFFERSPROC>("glGenFramebuffers");
  entry(n, names);
}

void APIENTRY glDeleteFramebuffers(GLsizei n, const GLuint* names) {
  static const auto entry = Entry<PFNGLDELETEFRAMEBUFFERSPROC>("glDeleteFramebuffers");
  entry(n, names);
}

void APIENTRY glBindFramebuffer(GLenum target, GLuint name) {
  static const auto entry = Entry<PFNGLBINDFRAMEBUFFERPROC>("glBindFramebuffer");
  entry(target, name);
}

GLenum APIENTRY glCheckFramebufferStatus(GLenum target) {
  static const auto entry = Entry<PFNGLCHECKFRAMEBUFFERSTATUSPROC>("glCheckFramebufferStatus");
  return entry(target);
}

void APIENTRY glFramebufferRenderbuffer(GLenum target, GLenum attachment, GLenum renderbufferTarget,
                                        GLuint renderbuffer) {
  static const auto entry = Entry<PFNGLFRAMEBUFFERRENDERBUFFERPROC>("glFramebufferRenderbuffer");
  entry(target, attachment, renderbufferTarget, renderbuffer);
}

void APIENTRY glGenRenderbuffers(GLsizei n, GLuint* names) {
  static const auto entry = Entry<PFNGLGENRENDERBUFFERSPROC>("glGenRenderbuffers");
  entry(n, names);
}

void APIENTRY glDeleteRenderbuffers(GLsizei n, const GLuint* names) {
  static const auto entry = Entry<PFNGLDELETERENDERBUFFERSPROC>("glDeleteRenderbuffers");
  entry(n, names);
}

void APIENTRY glBindRenderbuffer(GLenum target, GLuint name) {
  static const auto entry = Entry<PFNGLBINDRENDERBUFFERPROC>("glBindRenderbuffer");
  entry(target, name);
}

void APIENTRY glRenderbufferStorage(GLenum target, GLenum format, GLsizei width, GLsizei height) {
  static const auto entry = Entry<PFNGLRENDERBUFFERSTORAGEPROC>("glRenderbufferStorage");
  entry(target, format, width, height);
}
