// When a saver window closes itself: the one rule every host applies to the messages that the
// window procedure passes on. No platform headers, so it builds and is tested anywhere.
//
// Every mode closes when the window's owner asks (WM_CLOSE). Only the full-screen saver closes
// on input: a key, a mouse button or wheel, losing activation, or the pointer leaving the
// square of MOUSE_JITTER_PX around where it stood at start, so a nudged desk or a noisy mouse
// does not end the show. Closing starts at most once: after the first message that closes,
// every later one answers false.
#ifndef TUMBLIX_CLOSING_H
#define TUMBLIX_CLOSING_H

#include <stdint.h>

enum { MOUSE_JITTER_PX = 4 };  // pixels the pointer may stray from its start, in x and in y

struct CloseRules {
    bool closesOnInput;  // the full-screen saver; a preview or an adopted window does not
    bool closing;        // set by the first message that closes; cleared only by ArmCloseRules
    bool havePointer;    // startX and startY are known
    int startX, startY;  // where the pointer stood at start
};

// Called by the host before it creates the saver window: armed or not, nothing closing yet,
// the pointer's start unknown.
void StartCloseRules(CloseRules *rules, bool closesOnInput);

// Arms or disarms the input rule of a window that is already running (the web page entering
// and leaving full screen). Closing starts over; a pointer start already known is kept.
void ArmCloseRules(CloseRules *rules, bool closesOnInput);

// Forgets the pointer's start, so the next mouse-move message sets it.
void ForgetPointerStart(CloseRules *rules);

// Called by the host when it learns where the pointer stands at start. Without this call
// the first mouse-move message sets the start position.
void SetPointerStart(CloseRules *rules, int x, int y);

// True when the pointer at (x, y) has left the square of MOUSE_JITTER_PX around the start.
bool PointerMovedTooFar(const CloseRules *rules, int x, int y);

// Packs a pointer position into a mouse message's lParam as Windows does: x in the low 16
// bits, y in the next 16, each as a signed 16-bit value.
intptr_t PointerLParam(int x, int y);

// Called for every message the window procedure leaves to the default saver procedure (the
// shim's DefScreenSaverProc, or the Windows host's). True when this message starts closing:
// from then on ReachesSaver holds paint and timer messages back, and the host's loop takes
// the window down.
bool ShouldStartClosing(CloseRules *rules, unsigned message, uintptr_t wParam, intptr_t lParam);

// Closing starts for a reason of the host's own: a signal, or the window gone under it.
void StartClosing(CloseRules *rules);

// Whether `message` is handed on to the window procedure (by the shim, or the Windows host):
// once closing has started, paint and timer messages no longer reach it, so no frame is drawn
// into a context being torn down.
bool ReachesSaver(const CloseRules *rules, unsigned message);

#endif
