// The X11 idle source outside GNOME: the MIT-SCREEN-SAVER extension's idle time, polled.
// The server has no event for "idle this long" apart from its own blanking timeout, which
// belongs to the user's settings, so the watcher asks for the idle time when it could first
// have been reached, and while idle a few times a second to see activity.
#include <stdio.h>
#include <stdlib.h>

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

#include "tools/idle/idle_source.h"
#include "tools/idle/saver_process.h"
#include "tools/idle/watcher.h"

namespace
{

// How often the idle time is read while the session is idle, in milliseconds.
const int IDLE_POLL_MS = 200;

Display *x;
XScreenSaverInfo *info;
unsigned idleMs;
bool idle;
unsigned long lastIdleMs;
long long nextReadMs;

// xscreensaver marks its window, a child of the root, with this property.
bool XscreensaverRuns()
{
    Atom version = XInternAtom(x, "_SCREENSAVER_VERSION", False);
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    bool found = false;
    if (XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count) == 0)
        return false;
    for (unsigned i = 0; i < count && !found; i++) {
        Atom type;
        int format;
        unsigned long items, after;
        unsigned char *value = nullptr;
        if (XGetWindowProperty(x, children[i], version, 0, 0, False, AnyPropertyType, &type,
                               &format, &items, &after, &value) == Success &&
            type != None)
            found = true;
        XFree(value);
    }
    XFree(children);
    return found;
}

// Xlib ends the program when the connection breaks; the saver goes with it.
int ConnectionLost(Display *)
{
    fprintf(stderr, "tumblix-idle: the X server went away\n");
    EndSaverAndWait();
    exit(1);
}

int WakeMs()
{
    long long left = nextReadMs - MonotonicMs();
    return left > 0 ? (int)left : 0;
}

bool Dispatch(short)
{
    while (XPending(x) > 0) {
        XEvent event;
        XNextEvent(x, &event);
    }
    if (MonotonicMs() < nextReadMs)
        return true;
    XScreenSaverQueryInfo(x, DefaultRootWindow(x), info);
    bool wasIdle = idle;
    if (!idle && info->idle >= idleMs)
        idle = true;
    else if (idle && info->idle < lastIdleMs)
        idle = false;
    lastIdleMs = info->idle;
    if (idle != wasIdle)
        WatcherIdle(idle);
    nextReadMs = MonotonicMs() + (idle ? IDLE_POLL_MS : (long long)(idleMs - info->idle));
    return true;
}

}  // namespace

bool OpenX11Idle(unsigned ms, IdleSource *source, bool *xscreensaverRuns)
{
    *xscreensaverRuns = false;
    int event, error;
    x = XOpenDisplay(nullptr);
    if (x == nullptr)
        return false;
    if (!XScreenSaverQueryExtension(x, &event, &error) ||
        (info = XScreenSaverAllocInfo()) == nullptr || (*xscreensaverRuns = XscreensaverRuns())) {
        XCloseDisplay(x);
        return false;
    }
    XSetIOErrorHandler(ConnectionLost);
    idleMs = ms;
    nextReadMs = 0;
    *source = {"MIT-SCREEN-SAVER", "the X server went away", ConnectionNumber(x), WakeMs, Dispatch};
    return true;
}
