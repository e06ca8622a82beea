// The screen-saver front end: OpenGL context, game timers and frame drawing (main.cpp).
//
// The drawing state is one set of file-scope records in main.cpp, alive for the whole
// process: theta, direct and count start at load (0, 1, 0) and are never reset; red,
// green, blue and color are set again by every window creation. Each drawing step below
// can be called without a window, so tests drive them directly; only RenderBoard talks to
// OpenGL and SwapBuffers.
#ifndef TUMBLIX_SAVER_H
#define TUMBLIX_SAVER_H

#include <windows.h>

#include "game/game.h"
#include "platform/policy/timing.h"  // the two game timers, started on creation

enum { SPIN_FLIP_FRAMES = 1000 };  // frames between reversals of the spin axis

// The display board: board with the falling piece composed in, rebuilt every frame.
extern int tboard[BOARD_COLUMNS][BOARD_ROWS];

// The block colour. The values go to OpenGL as (red, blue, green), so `blue` drives the
// green channel and `green` the blue channel. Unclamped; OpenGL clamps.
extern float red;
extern float green;
extern float blue;
extern int color;  // colour-cycle phase: 0, 1 or 2

extern float theta;   // spin angle in degrees, kept in [0, 360)
extern float direct;  // sign of the spin axis: 1 or -1
extern int count;     // frames since direct last changed

extern HDC hDC;  // the window's device context, for the buffer swap; set by EnableOpenGL

// On window creation: gets the window's device context, asks for a double-buffered RGBA
// pixel format and makes a new OpenGL context current. Tests nothing.
void EnableOpenGL(HWND window, HDC *deviceContext, HGLRC *renderingContext);

// On window destruction: releases the context and the device context, even if making
// them failed.
void DisableOpenGL(HWND window, HDC deviceContext, HGLRC renderingContext);

// Once per timer message, after the tick: the four steps below in order.
void DrawFrame();

// On window creation: the colour drift starts over at pure blue (the green channel, since
// the values go to OpenGL swapped), in phase 0.
void StartColor();

// One step of the colour drift: lowers one value by 0.01 and raises the next by 0.01f
// until the lowered one is no longer above zero, then moves to the next phase.
void CycleColor();

// Copies board into tboard and overlays the occupied cells of currentPiece.
void ComposeDisplayBoard();

// Clears; then, once over the whole window, or in a window over several monitors once in each
// monitor's part of it (set as the viewport), turns the view by theta about (direct, direct,
// direct) and draws one shaded polygon per occupied cell of board rows 2..21; then swaps
// buffers through hDC, once. The monitors are read at creation and on WM_DISPLAYCHANGE.
void RenderBoard();

// Advances theta by one degree and flips the axis every SPIN_FLIP_FRAMES frames.
void AdvanceSpin();

#endif
