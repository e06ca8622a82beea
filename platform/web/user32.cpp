// The web host's side of the Win32 window calls (platform/common/stand_in_user32.cpp): its
// clock, which window is live, and what closing means in a page.
#include <emscripten.h>

#include "platform/web/host.h"

int64_t HostNow()
{
    return (int64_t)(emscripten_get_now() * 1e6);
}

bool HostOwnsWindow(HWND window)
{
    return window == &host.window && host.created && !host.destroyed;
}

// The loop's one timeout is set for the next deadline; it moves with the timers.
void HostTimersChanged()
{
    HostWake();
}

// Input that would close a full-screen saver leaves full screen; the show goes on in the page.
void HostInputCloses()
{
    HostLeaveFullScreen();
}
