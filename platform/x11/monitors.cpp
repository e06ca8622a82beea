// The monitors of the X screen for the shim's monitor listing: RandR 1.5's monitors, or
// Xinerama's heads where RandR is older, read afresh on every request; where the saver window
// lies on the screen; and RandR's word that the layout changed.
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

#include "platform/x11/host.h"

static int randrEventBase = -1;  // RandR's first event number, -1 without RandR

static RECT Area(int x, int y, int width, int height)
{
    return RECT{x, y, x + width, y + height};
}

// RandR 1.5 lists monitors, which may each span several outputs; 0 without it.
static int RandRMonitors(RECT *list, int capacity)
{
    int major = 0, minor = 0, count = 0;
    if (randrEventBase < 0 || !XRRQueryVersion(host.display, &major, &minor) ||
        (major == 1 && minor < 5))
        return 0;
    XRRMonitorInfo *monitors =
        XRRGetMonitors(host.display, DefaultRootWindow(host.display), True, &count);
    if (monitors == nullptr)
        return 0;
    int kept = 0;
    for (int n = 0; n < count && kept < capacity; n++)
        list[kept++] = Area(monitors[n].x, monitors[n].y, monitors[n].width, monitors[n].height);
    XRRFreeMonitors(monitors);
    return kept;
}

static int XineramaMonitors(RECT *list, int capacity)
{
    int count = 0;
    if (!XineramaIsActive(host.display))
        return 0;
    XineramaScreenInfo *heads = XineramaQueryScreens(host.display, &count);
    if (heads == nullptr)
        return 0;
    int kept = 0;
    for (int n = 0; n < count && kept < capacity; n++)
        list[kept++] = Area(heads[n].x_org, heads[n].y_org, heads[n].width, heads[n].height);
    XFree(heads);
    return kept;
}

static int ListMonitors(RECT *list, int capacity)
{
    int count = RandRMonitors(list, capacity);
    return count > 0 ? count : XineramaMonitors(list, capacity);
}

// The root window's pixels are the virtual screen's. An adopted window may have gone; it
// then counts as at the origin.
static POINT WindowOrigin()
{
    int x = 0, y = 0;
    Window child;
    HostTrapErrors();
    bool found = XTranslateCoordinates(host.display, host.window.xid,
                                       DefaultRootWindow(host.display), 0, 0, &x, &y, &child);
    if (HostTrappedError() != 0 || !found)
        return POINT{0, 0};
    return POINT{x, y};
}

const ShimMonitors HOST_MONITORS = {ListMonitors, WindowOrigin};

void HostWatchMonitors()
{
    int errorBase = 0;
    if (!XRRQueryExtension(host.display, &randrEventBase, &errorBase)) {
        randrEventBase = -1;
        return;
    }
    XRRSelectInput(host.display, DefaultRootWindow(host.display), RRScreenChangeNotifyMask);
}

bool HostMonitorsChanged(XEvent *event)
{
    if (randrEventBase < 0 || event->type != randrEventBase + RRScreenChangeNotify)
        return false;
    XRRUpdateConfiguration(event);  // Xlib's idea of the screen size follows
    return true;
}
