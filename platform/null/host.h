// The calls between the null host's files.
#ifndef TUMBLIX_NULL_HOST_H
#define TUMBLIX_NULL_HOST_H

#include "platform/shim/shim.h"

enum { HOST_WIDTH = 640, HOST_HEIGHT = 480 };  // pixels of the pretend window

// Starts the shim for the pretend window, with the host's table (loop.cpp).
void HostStartShim();

// Sends WM_CREATE, hands out the timers' messages until `frames` frames are drawn, closes and
// destroys the window, and returns the quit message's code.
int HostRun(unsigned long frames);

// How far the simulated clock has gone.
long long HostSimulatedMs();

// The OpenGL entries of the shim's table: a surface and a context that draw nothing.
extern const ShimGL HOST_GL;

// Buffer swaps so far: one per frame the window procedure drew.
unsigned long HostFrames();

#endif
