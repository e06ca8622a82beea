// The window's place among the monitors, as the window procedure asks for it: its client
// area, where that lies on the virtual screen, and the monitors, each listing read afresh
// from the host's table.
#include "platform/shim/records.h"

BOOL GetClientRect(HWND window, RECT *area)
{
    if (!WindowLives(window) || area == nullptr)
        return FALSE;
    *area = RECT{0, 0, window->width, window->height};
    return TRUE;
}

static POINT WindowOrigin()
{
    if (shim.host.monitors.windowOrigin == nullptr)
        return POINT{0, 0};
    return shim.host.monitors.windowOrigin();
}

BOOL ClientToScreen(HWND window, POINT *point)
{
    if (!WindowLives(window) || point == nullptr)
        return FALSE;
    POINT origin = WindowOrigin();
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

// Fills shim.monitors from the host; a host that cannot tell has the window as its one monitor.
static int ReadMonitors()
{
    RECT areas[MONITOR_SLOTS];
    int count = 0;
    if (shim.host.monitors.list != nullptr)
        count = shim.host.monitors.list(areas, MONITOR_SLOTS);
    if (count <= 0 || count > MONITOR_SLOTS) {
        POINT origin = WindowOrigin();
        areas[0] =
            RECT{origin.x, origin.y, origin.x + shim.window.width, origin.y + shim.window.height};
        count = 1;
    }
    for (int n = 0; n < count; n++)
        shim.monitors[n].area = areas[n];
    return count;
}

BOOL EnumDisplayMonitors(HDC dc, const RECT *clip, MONITORENUMPROC proc, LPARAM data)
{
    if (dc != nullptr || clip != nullptr || proc == nullptr)
        return FALSE;
    int count = ReadMonitors();
    for (int n = 0; n < count; n++) {
        RECT area = shim.monitors[n].area;  // the callee's copy, as on Windows
        if (!proc(&shim.monitors[n], nullptr, &area, data))
            break;
    }
    return TRUE;
}
