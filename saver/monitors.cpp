// The saver window cut into one viewport per monitor (see monitors.h).
#include "saver/monitors.h"

static int Larger(int a, int b)
{
    return a > b ? a : b;
}

static int Smaller(int a, int b)
{
    return a < b ? a : b;
}

static bool SameViewport(const Viewport &a, const Viewport &b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// The monitor's part of the window, flipped to OpenGL's bottom-up rows; false when the
// monitor and the window do not overlap.
static bool PartOfWindow(const ScreenRect &monitor, const ScreenRect &window, Viewport *part)
{
    int left = Larger(monitor.left, window.left);
    int right = Smaller(monitor.right, window.right);
    int top = Larger(monitor.top, window.top);
    int bottom = Smaller(monitor.bottom, window.bottom);
    if (left >= right || top >= bottom)
        return false;
    *part = Viewport{left - window.left, window.bottom - bottom, right - left, bottom - top};
    return true;
}

MonitorViewports ViewportsForMonitors(const ScreenRect *monitors, int count, ScreenRect window)
{
    MonitorViewports result = {};
    for (int m = 0; m < count && result.count < MONITORS_DRAWN; m++) {
        Viewport part;
        if (!PartOfWindow(monitors[m], window, &part))
            continue;
        bool shown = false;
        for (int n = 0; n < result.count; n++)
            shown = shown || SameViewport(result.parts[n], part);
        if (!shown)
            result.parts[result.count++] = part;
    }
    if (result.count < 2)
        result.count = 0;
    return result;
}
