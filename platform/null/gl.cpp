// The null host's OpenGL: a context that takes every call the saver and the shim make and
// draws nothing, so frames run with no GPU and no display.
#include <GL/gl.h>

#include "platform/null/host.h"

static unsigned long frames;
static int contextToken;  // what the pretend context points at

static bool ChooseFormat(void *, const PIXELFORMATDESCRIPTOR *)
{
    return true;
}

static bool MakeSurface(void *)
{
    return true;
}

static void *CreateContext(void *)
{
    return &contextToken;
}

static bool MakeCurrent(void *, void *)
{
    return true;
}

static void DeleteContext(void *, void *) {}

static bool Swap(void *)
{
    ++frames;
    return true;
}

const ShimGL HOST_GL = {ChooseFormat, MakeSurface, CreateContext, MakeCurrent, DeleteContext, Swap};

unsigned long HostFrames()
{
    return frames;
}

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
