// The Win32 window calls the window procedure makes, on the web host: timers, painting,
// device contexts, the quit message and the default saver procedure.
#include <emscripten.h>
#include <string.h>

#include "platform/web/host.h"
#include <scrnsave.h>

int64_t HostNow()
{
    return (int64_t)(emscripten_get_now() * 1e6);
}

bool HostOwnsWindow(HWND window)
{
    return window == &host.window && host.created && !host.destroyed;
}

// A timer procedure is not supported: every timer arrives as WM_TIMER.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT periodMs, TIMERPROC proc)
{
    if (!HostOwnsWindow(window) || proc != nullptr)
        return 0;
    if (!TimerSet(&host.timers, id, periodMs, HostNow()))
        return 0;
    HostWake();
    return id != 0 ? id : 1;
}

BOOL KillTimer(HWND window, UINT_PTR id)
{
    if (window != &host.window)
        return FALSE;
    bool killed = TimerKill(&host.timers, id);
    HostWake();
    return killed ? TRUE : FALSE;
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

// Nothing waits for the quit message in a page; it is kept for the record.
void PostQuitMessage(int exitCode)
{
    host.quitPosted = true;
    host.quitCode = exitCode;
}

// Input that would close a full-screen saver leaves full screen; the show goes on in the page.
LRESULT WINAPI DefScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window != &host.window)
        return 0;
    if (message == WM_PAINT)
        host.needsPaint = false;
    if (ShouldStartClosing(&host.rules, message, wParam, lParam))
        HostLeaveFullScreen();
    return 0;
}
