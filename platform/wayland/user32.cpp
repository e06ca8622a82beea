// The Wayland host's side of the Win32 window calls (platform/common/stand_in_user32.cpp): its
// clock, which window is live, and what closing means here.
#include <time.h>

#include "platform/wayland/host.h"

int64_t HostNow()
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (int64_t)now.tv_sec * 1000000000 + now.tv_nsec;
}

bool HostOwnsWindow(HWND window)
{
    return window == &host.window && host.display != nullptr && !host.destroyed;
}

// The loop works out its next deadline afresh before every sleep.
void HostTimersChanged() {}

// Closing starts: from now on no WM_TIMER or WM_PAINT reaches the window procedure.
void HostInputCloses()
{
    host.closing = true;
}
