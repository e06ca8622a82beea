// The X11 host's message loop: turns X events, timers and signals into the messages of the
// window procedure, one at a time, and takes the window down in order.
//
// Priority follows Windows: input and window-manager requests first, then WM_PAINT, then
// one WM_TIMER; the X queue is drained again before every further message, so input is
// never kept waiting behind a backlog of frames. Once closing starts, WM_TIMER and WM_PAINT
// no longer reach the window procedure; WM_DESTROY always does, exactly once. The loop
// sleeps in poll() on the X connection, the termination signals and the next timer deadline.
#include <poll.h>

#include "platform/posix/stop_signals.h"
#include "platform/x11/host.h"

HostState host;

void HostStartShim(int width, int height, bool closesOnInput)
{
    // The loop works out its next deadline and looks at the closing state before every sleep.
    const ShimHost table = {ShimMonotonicNs, ShimNothingToDo, ShimNothingToDo, HOST_GL,
                            HOST_MONITORS};
    HostWatchMonitors();
    ShimStart(&table, width, height, closesOnInput);
}

// WM_DESTROY, then the X window itself, unless it was someone else's.
static void DestroySaverWindow()
{
    ShimDestroy();
    if (host.window.owned && !host.windowGone) {
        XUngrabPointer(host.display, CurrentTime);
        XUngrabKeyboard(host.display, CurrentTime);
        XDestroyWindow(host.display, host.window.xid);
    }
    XSync(host.display, False);
}

static void Translate(const XEvent *event)
{
    Window window = host.window.xid;
    switch (event->type) {
    case Expose:
        if (event->xexpose.window == window)
            ShimInvalidate();
        break;
    case ConfigureNotify: {
        int width = 0, height = 0;
        ShimWindowSize(&width, &height);
        if (event->xconfigure.window == window &&
            (event->xconfigure.width != width || event->xconfigure.height != height))
            ShimResize(event->xconfigure.width, event->xconfigure.height);
        break;
    }
    case VisibilityNotify:
        // The screen saver stays on top: a window that comes up over it is covered again.
        if (event->xvisibility.window == window && host.window.owned &&
            event->xvisibility.state != VisibilityUnobscured)
            XRaiseWindow(host.display, window);
        break;
    case DestroyNotify:
        // Whoever destroyed it (its owner, xdotool, a crashing window manager), there is
        // nothing left to draw into: the saver ends as if asked to close.
        if (event->xdestroywindow.window == window) {
            host.windowGone = true;
            ShimStartClosing();
        }
        break;
    case ClientMessage: {
        static Atom deleteWindow = XInternAtom(host.display, "WM_DELETE_WINDOW", False);
        if (event->xclient.window == window && event->xclient.format == 32 &&
            (Atom)event->xclient.data.l[0] == deleteWindow)
            ShimSend(WM_CLOSE, 0, 0);
        break;
    }
    default:
        HostTranslateInput(event);
        break;
    }
}

// Sleeps until the X connection, a signal or the next timer deadline needs us.
static void Wait()
{
    struct pollfd watched[2] = {{ConnectionNumber(host.display), POLLIN, 0},
                                {StopSignalFd(), POLLIN, 0}};
    poll(watched, 2, ShimWaitMs());
}

int HostRun()
{
    ShimCreate();
    if (!ShimClosing() && !StopSignalled()) {
        HostShowWindow();
        // As Windows does when a window appears under the pointer: the movement rule
        // measures from where it stands as the saver starts.
        if (host.mode == X11_FULLSCREEN)
            HostSendStartPointer();
    }
    int exitCode = 0;
    while (ShimLoopGoesOn(StopSignalled(), DestroySaverWindow, &exitCode)) {
        if (XPending(host.display) > 0) {
            XEvent event;
            XNextEvent(host.display, &event);
            if (HostMonitorsChanged(&event))
                ShimSend(WM_DISPLAYCHANGE, 0, 0);
            else
                Translate(&event);
            continue;
        }
        if (!ShimSendQueued())
            Wait();
    }
    return exitCode;
}
