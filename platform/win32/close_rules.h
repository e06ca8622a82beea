// When the full-screen saver closes: the input that ends the show and the mouse jitter that
// does not. No Windows headers, so it builds and is tested on any platform.
//
// The message numbers below are the Windows ones; the host checks at compile time that
// they match windows.h. Closing starts at most once per window: after the first message
// that closes, every later one answers false.
#ifndef TUMBLIX_WIN32_CLOSE_RULES_H
#define TUMBLIX_WIN32_CLOSE_RULES_H

#include <stdint.h>

enum {
    SAVER_WM_ACTIVATE = 0x0006,     // wParam low word 0 (WA_INACTIVE): the window lost activation
    SAVER_WM_ACTIVATEAPP = 0x001C,  // wParam 0: another program became active
    SAVER_WM_KEYDOWN = 0x0100,
    SAVER_WM_SYSKEYDOWN = 0x0104,
    SAVER_WM_MOUSEMOVE = 0x0200,  // lParam: client x in the low word, y in the high word, signed
    SAVER_WM_LBUTTONDOWN = 0x0201,
    SAVER_WM_RBUTTONDOWN = 0x0204,
    SAVER_WM_MBUTTONDOWN = 0x0207,
    SAVER_WM_MOUSEWHEEL = 0x020A,
    SAVER_WM_XBUTTONDOWN = 0x020B,
    SAVER_WM_MOUSEHWHEEL = 0x020E
};

// How far, in pixels (straight-line distance), the pointer may stray from where it stood at
// start before the saver closes; a mouse on a shaking desk stays within it.
enum { MOUSE_MOVE_THRESHOLD_PX = 5 };

struct CloseRules {
    bool preview;      // a preview never closes on input
    bool closing;      // set by the first message that closes; never cleared
    bool havePointer;  // startX and startY are known
    int startX, startY;  // where the pointer stood at start, in client pixels
};

// Called by the host before it creates the saver window.
void StartCloseRules(CloseRules *rules, bool preview);

// Called by the host when it learns where the pointer stands at start. Without this call
// the first mouse-move message sets the start position.
void SetPointerStart(CloseRules *rules, int x, int y);

// True when the pointer at (x, y) is more than MOUSE_MOVE_THRESHOLD_PX from the start.
bool PointerMovedTooFar(const CloseRules *rules, int x, int y);

// Called by the host for every message of the saver window. True when this message starts
// closing: the host then stops handing paint and timer messages on and destroys the window.
bool ShouldStartClosing(CloseRules *rules, unsigned message, uintptr_t wParam, intptr_t lParam);

#endif
