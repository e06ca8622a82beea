// The Linux host's message loop: turns X events, timers and signals into the messages of
// the window procedure, one at a time, and takes the window down in order.
//
// Priority follows Windows: input and window-manager requests first, then WM_PAINT, then
// one WM_TIMER; the X queue is drained again before every further message, so input is
// never kept waiting behind a backlog of frames. Once closing starts, WM_TIMER and WM_PAINT
// no longer reach the window procedure; WM_DESTROY always does, exactly once. While no one can
// see the window (seen.cpp) no WM_TIMER comes either. The loop sleeps in poll() on the X
// connection, the signal pipe and the next timer deadline.
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include "platform/policy/closing.h"
#include "platform/x11/host.h"

HostState host;

void HostStartShim(int width, int height)
{
    // The loop works out its next deadline and looks at the closing state before every sleep.
    const ShimHost table = {&host,           ShimMonotonicNs, ShimNothingToDo,
                            ShimNothingToDo, HOST_GL,         HOST_MONITORS};
    HostWatchMonitors();
    ShimStart(&table, width, height, host.mode == MODE_FULLSCREEN);
    HostWatchSeen();
}

static volatile sig_atomic_t signalled;  // set by a termination signal
static int wakePipe[2] = {-1, -1};       // the handler writes a byte so poll() wakes up

static void OnSignal(int)
{
    int saved = errno;
    signalled = 1;
    if (wakePipe[1] >= 0) {
        ssize_t written = write(wakePipe[1], "", 1);
        (void)written;
    }
    errno = saved;
}

void HostCatchSignals()
{
    if (pipe(wakePipe) == 0) {
        for (int end : wakePipe) {
            fcntl(end, F_SETFL, fcntl(end, F_GETFL) | O_NONBLOCK);
            fcntl(end, F_SETFD, FD_CLOEXEC);
        }
    }
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    static const int stopSignals[] = {SIGTERM, SIGINT, SIGHUP};
    for (int sig : stopSignals)
        sigaction(sig, &action, nullptr);
    // A display that goes away must end in the connection-lost message, not in a silent
    // death by SIGPIPE on the next write.
    signal(SIGPIPE, SIG_IGN);
}

static void DrainWakePipe()
{
    char bytes[64];
    while (wakePipe[0] >= 0 && read(wakePipe[0], bytes, sizeof bytes) > 0) {
    }
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

static void SendButton(unsigned int button, int x, int y)
{
    // X numbers the buttons from 1: left, middle, right; 4 and up are wheels and side buttons.
    static const UINT BUTTON_MESSAGES[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
    UINT message = button >= Button1 && button <= Button3 ? BUTTON_MESSAGES[button - Button1]
                                                          : (UINT)WM_MOUSEWHEEL;
    ShimSend(message, 0, PointerLParam(x, y));
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
        if (event->xvisibility.window != window)
            break;
        HostVisibilityChanged(event->xvisibility.state);
        // The screen saver stays on top: a window that comes up over it is covered again.
        if (host.mode == MODE_FULLSCREEN && event->xvisibility.state != VisibilityUnobscured)
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
    case KeyPress:
        ShimSend(WM_KEYDOWN, event->xkey.keycode, 0);
        break;
    case ButtonPress:
        SendButton(event->xbutton.button, event->xbutton.x_root, event->xbutton.y_root);
        break;
    case MotionNotify:
        ShimSend(WM_MOUSEMOVE, 0, PointerLParam(event->xmotion.x_root, event->xmotion.y_root));
        break;
    default:
        break;
    }
}

// Tells the window procedure where the pointer stands as the saver starts, as Windows does
// when a window appears under it; the movement rule measures from there.
static void SendStartPointer()
{
    Window root, child;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int buttons = 0;
    if (XQueryPointer(host.display, host.window.xid, &root, &child, &rootX, &rootY, &x, &y,
                      &buttons))
        ShimSend(WM_MOUSEMOVE, 0, PointerLParam(rootX, rootY));
}

// Sleeps until the X connection, a signal, the next timer deadline or the next reading of the
// monitor's power state needs us.
static void Wait()
{
    struct pollfd watched[2] = {{ConnectionNumber(host.display), POLLIN, 0},
                                {wakePipe[0], POLLIN, 0}};
    int count = wakePipe[0] >= 0 ? 2 : 1;
    poll(watched, (nfds_t)count, HostSeenWaitMs(ShimWaitMs()));
    DrainWakePipe();
}

int HostRun()
{
    ShimCreate();
    if (!ShimClosing() && !signalled) {
        HostShowWindow();
        if (host.mode == MODE_FULLSCREEN)
            SendStartPointer();
    }
    int exitCode = 0;
    while (ShimLoopGoesOn(signalled, DestroySaverWindow, &exitCode)) {
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
