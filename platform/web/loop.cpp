// The web host's message loop. The browser's event loop stands in for the loop of the other
// hosts: page events become messages as they come (each DOM event is its own task), and the
// timers are served by one timeout, set for the next deadline, that hands out one message per
// task. So input never waits behind a backlog of frames, and each frame is a task of its own.
//
// Priority within a wake-up follows Windows: WM_PAINT first, then one WM_TIMER. A hidden page
// sets no timeout at all: its timers are held until it is shown again, and then go on at their
// own pace, never with a burst of catch-up ticks (platform/policy/timers.h). WM_DESTROY comes
// once, when the page goes away, and no message follows it.
#include <emscripten.h>
#include <emscripten/eventloop.h>

#include "platform/web/host.h"

HostState host;

static int64_t Now()
{
    return (int64_t)(emscripten_get_now() * 1e6);
}

static void QueueChanged()
{
    HostWake();
}

// Input that would close a full-screen saver leaves full screen; the show goes on in the page,
// so the window is not closing after all.
static void InputCloses()
{
    ShimArmClosing(false);
    HostLeaveFullScreen();
}

// No monitor entries: the window is the one monitor.
void HostStartShim(int width, int height, bool closesOnInput)
{
    const ShimHost table = {Now, QueueChanged, InputCloses, HOST_GL, {}};
    ShimStart(&table, width, height, closesOnInput);
}

static void Pump(void *)
{
    host.wake = 0;
    ShimSendQueued();
    HostWake();
}

void HostWake()
{
    if (host.wake != 0)
        emscripten_clear_timeout(host.wake);
    host.wake = 0;
    int waitMs = ShimWaitMs();
    if (ShimWindowLives() && waitMs >= 0)
        host.wake = emscripten_set_timeout(Pump, waitMs, nullptr);
}
