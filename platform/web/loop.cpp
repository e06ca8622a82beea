// The web host's message loop. The browser's event loop stands in for the loop of the other
// hosts: page events become messages as they come (each DOM event is its own task), and the
// timers are served by one timeout, set for the next deadline, that hands out one message per
// task. So input never waits behind a backlog of frames, and each frame is a task of its own.
//
// Priority within a wake-up follows Windows: WM_PAINT first, then one WM_TIMER. A page in a
// background tab is woken rarely; the timers then have one message each pending, never a
// burst of catch-up ticks (platform/common/timers.h). WM_DESTROY comes once, when the page
// goes away, and no message follows it.
#include <emscripten/eventloop.h>

#include "platform/web/host.h"
#include <scrnsave.h>

HostState host;

void HostSend(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!host.created || host.destroyed)
        return;
    ScreenSaverProc(&host.window, message, wParam, lParam);
}

static void Pump(void *)
{
    host.wake = 0;
    UINT message = 0;
    WPARAM wParam = 0;
    if (HostTakeQueuedMessage(&message, &wParam))
        HostSend(message, wParam, 0);
    HostWake();
}

void HostWake()
{
    if (host.wake != 0)
        emscripten_clear_timeout(host.wake);
    host.wake = 0;
    if (!host.created || host.destroyed)
        return;
    int waitMs = host.needsPaint ? 0 : TimerWaitMs(&host.timers, HostNow());
    if (waitMs >= 0)
        host.wake = emscripten_set_timeout(Pump, waitMs, nullptr);
}

void HostDestroyWindow()
{
    if (!host.created || host.destroyed)
        return;
    ScreenSaverProc(&host.window, WM_DESTROY, 0, 0);
    host.destroyed = true;
    TimerKillAll(&host.timers);
    HostWake();
    if (!host.quitPosted)
        PostQuitMessage(0);
}
