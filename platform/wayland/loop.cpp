// The Wayland host's message loop: turns compositor events, timers and signals into the
// messages of the window procedure, one at a time, and takes the window down in order.
//
// Priority follows Windows: input and the compositor's requests first (every event that has
// arrived is dispatched before each further message), then WM_PAINT, then one WM_TIMER. Once
// closing starts, WM_TIMER and WM_PAINT no longer reach the window procedure; WM_DESTROY
// always does, exactly once. The loop sleeps in poll() on the connection, the termination
// signals and the next timer deadline; nothing else ever blocks it.
#include <errno.h>
#include <poll.h>

#include "platform/policy/exit_status.h"
#include "platform/posix/say.h"
#include "platform/posix/stop_signals.h"
#include "platform/wayland/host.h"

HostState host;

void HostConnectionLost()
{
    ConnectionLost("the Wayland compositor");
}

// No monitor table: each surface covers one output, and the window procedure draws its
// picture over the whole of it; gl.cpp sets each surface's viewport.
void HostStartShim(int width, int height, bool closesOnInput)
{
    // The loop works out its next deadline and looks at the closing state before every sleep.
    const ShimHost table = {ShimMonotonicNs, ShimNothingToDo, ShimNothingToDo, HOST_GL, {}};
    ShimStart(&table, width, height, closesOnInput);
}

// WM_DESTROY, then the surfaces and EGL.
static void DestroySaverWindow()
{
    ShimDestroy();
    for (HostSurface &surface : host.surfaces)
        HostDropSurface(&surface);
    HostStopEgl();
    wl_display_flush(host.display);
}

// The message due now, if any: a frame is drawn into a display list, then played into every
// surface.
static void SendQueued()
{
    HostBeginFrame();
    ShimSendQueued();
    HostEndFrame();
}

// Reads what the compositor sent, waiting up to `waitMs` (-1: until something comes), and
// dispatches it. A broken connection ends the program.
static void PumpEvents(int waitMs)
{
    wl_display *display = host.display;
    while (wl_display_prepare_read(display) != 0)
        if (wl_display_dispatch_pending(display) < 0)
            HostConnectionLost();
    // A full socket (EAGAIN) is retried on the next turn; the poll below wakes for it.
    if (wl_display_flush(display) < 0 && errno != EAGAIN) {
        wl_display_cancel_read(display);
        HostConnectionLost();
    }
    struct pollfd watched[2] = {{wl_display_get_fd(display), POLLIN, 0},
                                {StopSignalFd(), POLLIN, 0}};
    poll(watched, 2, waitMs);
    if (watched[0].revents & (POLLIN | POLLHUP | POLLERR)) {
        if (wl_display_read_events(display) < 0)
            HostConnectionLost();
    } else {
        wl_display_cancel_read(display);
    }
    if (wl_display_dispatch_pending(display) < 0)
        HostConnectionLost();
}

int HostRun()
{
    ShimCreate();
    if (eglGetCurrentContext() == EGL_NO_CONTEXT && !ShimClosing()) {
        Say("no desktop OpenGL context (compatibility profile) on this Wayland display");
        DestroySaverWindow();
        return EXIT_CANNOT_START;
    }
    int exitCode = 0;
    while (ShimLoopGoesOn(StopSignalled(), DestroySaverWindow, &exitCode)) {
        int waitMs = ShimWaitMs();
        if (waitMs == 0)
            SendQueued();
        PumpEvents(waitMs);
    }
    return exitCode;
}
