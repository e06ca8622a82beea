// The Win32 window calls the window procedure makes, on the Linux host: timers, painting,
// device contexts, the quit message and the default saver procedure.
#include <string.h>
#include <time.h>

#include "platform/x11/host.h"
#include <scrnsave.h>

int64_t HostNow()
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (int64_t)now.tv_sec * 1000000000 + now.tv_nsec;
}

bool HostOwnsWindow(HWND window)
{
    return window == &host.window && host.display != nullptr && !host.destroyed;
}

// A timer procedure is not supported: every timer arrives as WM_TIMER.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT periodMs, TIMERPROC proc)
{
    if (!HostOwnsWindow(window) || proc != nullptr)
        return 0;
    if (!TimerSet(&host.timers, id, periodMs, HostNow()))
        return 0;
    return id != 0 ? id : 1;
}

BOOL KillTimer(HWND window, UINT_PTR id)
{
    if (window != &host.window)
        return FALSE;
    return TimerKill(&host.timers, id) ? TRUE : FALSE;
}

HDC BeginPaint(HWND window, PAINTSTRUCT *paint)
{
    if (!HostOwnsWindow(window) || paint == nullptr)
        return nullptr;
    memset(paint, 0, sizeof *paint);
    paint->hdc = &window->dc;
    paint->rcPaint.right = window->width;
    paint->rcPaint.bottom = window->height;
    host.needsPaint = false;
    return &window->dc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT *)
{
    return window == &host.window ? TRUE : FALSE;
}

HDC GetDC(HWND window)
{
    return HostOwnsWindow(window) ? &window->dc : nullptr;
}

int ReleaseDC(HWND window, HDC dc)
{
    return window == &host.window && dc == &host.window.dc ? 1 : 0;
}

void PostQuitMessage(int exitCode)
{
    host.quitPosted = true;
    host.quitCode = exitCode;
}

LRESULT WINAPI DefScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window != &host.window)
        return 0;
    if (message == WM_PAINT)
        host.needsPaint = false;
    if (ShouldStartClosing(&host.rules, message, wParam, lParam))
        host.closing = true;
    return 0;
}
