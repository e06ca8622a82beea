// The floor programs' frame: the saver's drawing workload with nothing else around it, shared
// by the native (Xlib and GLX) and the Windows (Win32 and WGL) floor programs.
#ifndef TUMBLIX_BENCH_FLOOR_DRAW_H
#define TUMBLIX_BENCH_FLOOR_DRAW_H

#include "platform/policy/timing.h"  // the saver's two timers: one frame per tick of either

enum { FLOOR_CELLS = 200 };  // polygons per frame by default: every cell of the picture

// Draws one frame into the current OpenGL context (the caller swaps the buffers): clears the
// colour buffer, pushes the matrix, turns it by `theta` degrees about (1, 1, 1), draws
// `cells` four-vertex shaded polygons, each in its own glBegin/glEnd, on the saver's 10 by
// 20 grid (bottom row first, wrapping round when `cells` is above 200), and pops the matrix.
void FloorDrawFrame(int cells, float theta);

// Reads the floor programs' command line, [WIDTH HEIGHT [CELLS]], into the variables given;
// those not on the command line keep their values. False for anything else.
bool FloorReadArguments(int argc, char **argv, int *width, int *height, int *cells);

#endif
