// The OpenGL 1.1 calls of the saver's drawing and the shim's resize as no-ops (gl_calls.cpp),
// for frames run with no GPU: the null host's, and the tests that run the window procedure on
// the shim.
#ifndef TUMBLIX_NULL_GL_CALLS_H
#define TUMBLIX_NULL_GL_CALLS_H

// Called with the rectangle of every glViewport while set; null (the null host's) keeps none.
extern void (*viewportSeen)(int x, int y, int width, int height);

#endif
