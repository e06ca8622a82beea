// The Wayland host's message loop: turns compositor events, timers and signals into the
// messages of the window procedure, one at a time, and takes the window down in order.
//
// Priority follows Windows: input and the compositor's requests first (every event that has
// arrived is dispatched before each further message), then WM_PAINT, then one WM_TIMER. Once
// closing starts, WM_TIMER and WM_PAINT no longer reach the window procedure; WM_DESTROY
// always does, exactly once. While no surface is seen (seen.cpp) no WM_TIMER comes either.
// The loop sleeps in poll() on the connection, a signalfd for the termination signals, the
// next timer deadline and the next frame callback's deadline; nothing else ever blocks it.
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <sys/signalfd.h>
#include <time.h>
#include <unistd.h>

#include "platform/wayland/host.h"
#include "platform/policy/exit_status.h"

HostState host;

static int signalFd = -1;  // readable once SIGTERM, SIGINT or SIGHUP has come
static bool signalled;

// The signals are blocked and read from a descriptor, so they arrive as events of the loop;
// threads started later (Mesa's) inherit the mask and never take them instead.
bool HostCatchSignals()
{
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGHUP);
    if (sigprocmask(SIG_BLOCK, &stopSignals, nullptr) != 0)
        return false;
    signalFd = signalfd(-1, &stopSignals, SFD_NONBLOCK | SFD_CLOEXEC);
    // A compositor that goes away must end in the connection-lost message, not in a silent
    // death by SIGPIPE on the next write.
    signal(SIGPIPE, SIG_IGN);
    return signalFd >= 0;
}

void HostConnectionLost()
{
    static const char message[] = "tumblix: lost the connection to the Wayland compositor\n";
    ssize_t written = write(STDERR_FILENO, message, sizeof message - 1);
    (void)written;
    // EGL and the window procedure's teardown would talk to the dead connection.
    _exit(EXIT_CANNOT_START);
}

// No monitor table: each surface covers one output, and the window procedure draws its
// picture over the whole of it; gl.cpp sets each surface's viewport.
void HostStartShim(WaylandMode mode)
{
    // The loop works out its next deadline and looks at the closing state before every sleep.
    const ShimHost table = {&host,           ShimMonotonicNs, ShimNothingToDo,
                            ShimNothingToDo, HOST_GL,         {nullptr, nullptr}};
    ShimStart(&table, 0, 0, mode == WAYLAND_FULLSCREEN);
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
    struct pollfd watched[2] = {{wl_display_get_fd(display), POLLIN, 0}, {signalFd, POLLIN, 0}};
    poll(watched, 2, waitMs);
    if (watched[0].revents & (POLLIN | POLLHUP | POLLERR)) {
        if (wl_display_read_events(display) < 0)
            HostConnectionLost();
    } else {
        wl_display_cancel_read(display);
    }
    if (wl_display_dispatch_pending(display) < 0)
        HostConnectionLost();
    signalfd_siginfo info;
    while (signalFd >= 0 && read(signalFd, &info, sizeof info) == (ssize_t)sizeof info)
        signalled = true;
}

int HostRun()
{
    ShimCreate();
    if (eglGetCurrentContext() == EGL_NO_CONTEXT && !ShimClosing()) {
        fprintf(stderr, "tumblix: no desktop OpenGL context (compatibility profile) on this "
                        "Wayland display\n");
        DestroySaverWindow();
        return EXIT_CANNOT_START;
    }
    int exitCode = 0;
    while (ShimLoopGoesOn(signalled, DestroySaverWindow, &exitCode)) {
        int waitMs = ShimWaitMs();
        if (waitMs == 0)
            SendQueued();
        PumpEvents(HostSeenWaitMs(waitMs));
    }
    return exitCode;
}
