// The calls between the null host's files.
#ifndef TUMBLIX_NULL_HOST_H
#define TUMBLIX_NULL_HOST_H

#include "platform/shim/shim.h"

enum { HOST_WIDTH = 640, HOST_HEIGHT = 480 };  // pixels of the pretend window

// Fills the OpenGL entries of the shim's table: a surface and a context that draw nothing.
void HostFillGL(ShimHost *table);

// Buffer swaps so far: one per frame the window procedure drew.
unsigned long HostFrames();

#endif
