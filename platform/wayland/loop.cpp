// The Wayland host's message loop: turns compositor events, timers and signals into the
// messages of the window procedure, one at a time, and takes the window down in order.
//
// Priority follows Windows: input and the compositor's requests first (every event that has
// arrived is dispatched before each further message), then WM_PAINT, then one WM_TIMER. Once
// closing starts, WM_TIMER and WM_PAINT no longer reach the window procedure; WM_DESTROY
// always does, exactly once. The loop sleeps in poll() on the connection, a signalfd for the
// termination signals, and the next timer deadline; nothing else ever blocks it.
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include "platform/wayland/host.h"
#include "platform/common/exit_status.h"
#include <scrnsave.h>

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

void HostSend(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!host.created || host.destroyed)
        return;
    if (host.closing && (message == WM_TIMER || message == WM_PAINT))
        return;
    if (message == WM_TIMER)
        HostBeginFrame();
    ScreenSaverProc(&host.window, message, wParam, lParam);
    if (message == WM_TIMER)
        HostEndFrame();
}

// WM_DESTROY, then the surfaces; the timers die with the window, as on Windows.
static void DestroySaverWindow()
{
    host.closing = true;
    ScreenSaverProc(&host.window, WM_DESTROY, 0, 0);
    host.destroyed = true;
    TimerKillAll(&host.timers);
    for (HostSurface &surface : host.surfaces)
        HostDropSurface(&surface);
    HostStopEgl();
    wl_display_flush(host.display);
    if (!host.quitPosted)
        PostQuitMessage(0);
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
    host.created = true;
    StartCloseRules(&host.rules, host.mode == WAYLAND_FULLSCREEN);
    ScreenSaverProc(&host.window, WM_CREATE, 0, 0);
    if (eglGetCurrentContext() == EGL_NO_CONTEXT && !host.closing) {
        fprintf(stderr, "tumblix: no desktop OpenGL context (compatibility profile) on this "
                        "Wayland display\n");
        DestroySaverWindow();
        return EXIT_CANNOT_START;
    }
    while (!host.quitPosted) {
        if (signalled)
            host.closing = true;
        if (host.closing) {
            if (!host.destroyed)
                DestroySaverWindow();
            continue;
        }
        UINT message = 0;
        WPARAM wParam = 0;
        if (HostTakeQueuedMessage(&message, &wParam)) {
            HostSend(message, wParam, 0);
            PumpEvents(0);
        } else {
            PumpEvents(TimerWaitMs(&host.timers, HostNow()));
        }
    }
    return host.quitCode;
}
