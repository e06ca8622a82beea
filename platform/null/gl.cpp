// The null host's OpenGL: a context that takes every call the saver and the shim make and
// draws nothing, so frames run with no GPU and no display. A real host makes its platform's
// contexts here and swaps its surface's buffers.
#include <GL/gl.h>

#include "platform/null/host.h"

static int contextToken;  // what the pretend context points at

static void *CreateContext()
{
    return &contextToken;
}

static bool MakeCurrent(void *)
{
    return true;
}

static void DeleteContext(void *) {}

static bool Swap()
{
    ++host.frames;
    return true;
}

// Every format draws, and there is no surface to make.
const ShimGL HOST_GL = {nullptr, nullptr, CreateContext, MakeCurrent, DeleteContext, Swap};

// The OpenGL 1.1 calls of the frame drawing and the shim's resize, as no-ops.
extern "C" {
void APIENTRY glClearColor(GLclampf, GLclampf, GLclampf, GLclampf) {}
void APIENTRY glClear(GLbitfield) {}
void APIENTRY glPushMatrix() {}
void APIENTRY glPopMatrix() {}
void APIENTRY glRotatef(GLfloat, GLfloat, GLfloat, GLfloat) {}
void APIENTRY glBegin(GLenum) {}
void APIENTRY glEnd() {}
void APIENTRY glColor3f(GLfloat, GLfloat, GLfloat) {}
void APIENTRY glVertex2f(GLfloat, GLfloat) {}
void APIENTRY glViewport(GLint, GLint, GLsizei, GLsizei) {}
}
