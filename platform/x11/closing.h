// When the saver closes itself: the rules DefScreenSaverProc applies to the messages that
// the window procedure passes on. Pure, no X11, so tests call them directly.
//
// Only the screen-saver mode closes on input. A key, any mouse button or the wheel closes
// it at once; the pointer closes it only once it has moved more than MOUSE_JITTER_PX away
// from where it stood when the saver started, so a nudged desk or a noisy mouse does not.
// In every mode WM_CLOSE (the window manager's close request) closes.
#ifndef TUMBLIX_X11_CLOSING_H
#define TUMBLIX_X11_CLOSING_H

#include <windows.h>

#include "options.h"

enum { MOUSE_JITTER_PX = 4 };  // pixels the pointer may stray from its start, in x and in y

// The pointer position the movement rule compares with; taken from the first
// WM_MOUSEMOVE, which the host sends right after showing the window.
struct PointerStart {
    bool known;
    int x, y;
};

// Packs a pointer position into a mouse message's lParam as Windows does: x in the low
// 16 bits, y in the next 16, each as a signed 16-bit value.
LPARAM PointerLParam(int x, int y);

// True when a pointer at (x, y) has left the square of MOUSE_JITTER_PX around (startX, startY).
bool PointerMovedFar(int startX, int startY, int x, int y);

// True when `message` starts closing the saver in `mode`. Records the start position on
// the first WM_MOUSEMOVE.
bool MessageStartsClosing(HostMode mode, UINT message, LPARAM lParam, PointerStart *start);

#endif
