// OpenGL on the web host: Emscripten's own header, with GL_POLYGON drawn as a triangle fan.
// Emscripten's immediate-mode emulation has no GL_POLYGON. The saver's only polygons are
// convex quads, and a convex polygon is exactly the fan from its first vertex (the
// triangulation Mesa draws, too), so the picture is the same and saver/main.cpp builds as it is.
#ifndef TUMBLIX_WEB_GL_H
#define TUMBLIX_WEB_GL_H

#include_next <GL/gl.h>

#undef GL_POLYGON
#define GL_POLYGON GL_TRIANGLE_FAN

#endif
