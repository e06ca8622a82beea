// The Linux host's message loop: turns X events, timers and signals into the messages of
// the window procedure, one at a time, and takes the window down in order.
//
// Priority follows Windows: input and window-manager requests first, then WM_PAINT, then
// one WM_TIMER; the X queue is drained again before every further message, so input is
// never kept waiting behind a backlog of frames. Once closing starts, WM_TIMER and WM_PAINT
// no longer reach the window procedure; WM_DESTROY always does, exactly once. The loop
// sleeps in poll() on the X connection, the signal pipe and the next timer deadline.
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include "platform/x11/host.h"
#include <scrnsave.h>

HostState host;

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

// Hands one message to the window procedure, keeping the closing rule.
static void Send(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (host.destroyed)
        return;
    if (host.closing && (message == WM_TIMER || message == WM_PAINT))
        return;
    ScreenSaverProc(&host.window, message, wParam, lParam);
}

// WM_DESTROY, then the window itself; the timers die with the window, as on Windows.
static void DestroySaverWindow()
{
    host.closing = true;
    ScreenSaverProc(&host.window, WM_DESTROY, 0, 0);
    host.destroyed = true;
    TimerKillAll(&host.timers);
    HostReleaseCurrentContext();
    if (host.window.owned && !host.windowGone) {
        XUngrabPointer(host.display, CurrentTime);
        XUngrabKeyboard(host.display, CurrentTime);
        XDestroyWindow(host.display, host.window.xid);
    }
    XSync(host.display, False);
    if (!host.quitPosted)
        PostQuitMessage(0);
}

static void SendButton(unsigned int button, int x, int y)
{
    // X numbers the buttons from 1: left, middle, right; 4 and up are wheels and side buttons.
    static const UINT BUTTON_MESSAGES[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
    UINT message = button >= Button1 && button <= Button3 ? BUTTON_MESSAGES[button - Button1]
                                                          : (UINT)WM_MOUSEWHEEL;
    Send(message, 0, PointerLParam(x, y));
}

static void Translate(const XEvent *event)
{
    Window window = host.window.xid;
    switch (event->type) {
    case Expose:
        if (event->xexpose.window == window)
            host.needsPaint = true;
        break;
    case ConfigureNotify:
        if (event->xconfigure.window == window &&
            (event->xconfigure.width != host.window.width ||
             event->xconfigure.height != host.window.height)) {
            host.window.width = event->xconfigure.width;
            host.window.height = event->xconfigure.height;
            HostFollowResize();
        }
        break;
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
            host.closing = true;
        }
        break;
    case ClientMessage: {
        static Atom deleteWindow = XInternAtom(host.display, "WM_DELETE_WINDOW", False);
        if (event->xclient.window == window && event->xclient.format == 32 &&
            (Atom)event->xclient.data.l[0] == deleteWindow)
            Send(WM_CLOSE, 0, 0);
        break;
    }
    case KeyPress:
        Send(WM_KEYDOWN, event->xkey.keycode, 0);
        break;
    case ButtonPress:
        SendButton(event->xbutton.button, event->xbutton.x_root, event->xbutton.y_root);
        break;
    case MotionNotify:
        Send(WM_MOUSEMOVE, 0, PointerLParam(event->xmotion.x_root, event->xmotion.y_root));
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
        Send(WM_MOUSEMOVE, 0, PointerLParam(rootX, rootY));
}

// Sleeps until the X connection, a signal or the next timer deadline needs us.
static void Wait()
{
    struct pollfd watched[2] = {{ConnectionNumber(host.display), POLLIN, 0},
                                {wakePipe[0], POLLIN, 0}};
    int count = wakePipe[0] >= 0 ? 2 : 1;
    poll(watched, (nfds_t)count, TimerWaitMs(&host.timers, HostNow()));
    DrainWakePipe();
}

int HostRun()
{
    host.created = true;
    StartCloseRules(&host.rules, host.mode == MODE_FULLSCREEN);
    ScreenSaverProc(&host.window, WM_CREATE, 0, 0);
    if (!host.closing && !signalled) {
        HostShowWindow();
        if (host.mode == MODE_FULLSCREEN)
            SendStartPointer();
    }
    while (!host.quitPosted) {
        if (signalled)
            host.closing = true;
        if (host.closing) {
            if (!host.destroyed)
                DestroySaverWindow();
            continue;
        }
        if (XPending(host.display) > 0) {
            XEvent event;
            XNextEvent(host.display, &event);
            Translate(&event);
            continue;
        }
        UINT message = 0;
        WPARAM wParam = 0;
        if (HostTakeQueuedMessage(&message, &wParam))
            Send(message, wParam, 0);
        else
            Wait();
    }
    return host.quitCode;
}
