// The OpenGL 1.1 calls of the saver's drawing and the shim's resize, as no-ops (see
// gl_calls.h).
#include "platform/null/gl_calls.h"

#include <GL/gl.h>

void (*viewportSeen)(int x, int y, int width, int height);

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
void APIENTRY glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    if (viewportSeen != nullptr)
        viewportSeen(x, y, width, height);
}
}
