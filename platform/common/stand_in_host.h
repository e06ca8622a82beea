// What platform/common/stand_in_user32.cpp needs from a host that is not Windows, and what it
// gives the host's loop. Included by the host's own header.
#ifndef TUMBLIX_STAND_IN_HOST_H
#define TUMBLIX_STAND_IN_HOST_H

#include <stdint.h>
#include <windows.h>

// Supplied by the host.
int64_t HostNow();                 // nanoseconds on a monotonic clock, for the timers
bool HostOwnsWindow(HWND window);  // true when `window` is the live saver window
void HostTimersChanged();          // a timer was set or killed: the loop may sleep otherwise now
void HostInputCloses();            // the closing rule says this message closes the saver

// For the host's loop: the message due after the input, WM_PAINT before one WM_TIMER. False
// when neither is due.
bool HostTakeQueuedMessage(UINT *message, WPARAM *wParam);

#endif
