// The user32 calls that every host but Windows answers alike: timers, painting, device
// contexts, the quit message and the default saver procedure, and which queued message the
// loop hands out next.
//
// Each host builds this file against its own records: its build names its host header in
// TUMBLIX_HOST_HEADER. That header declares `host` (with window, needsPaint, quitPosted,
// quitCode, timers and rules), the window record (with width, height and its one dc), and the
// host functions below.
#include <string.h>

#include TUMBLIX_HOST_HEADER
#include <scrnsave.h>

// A timer procedure is not supported: every timer arrives as WM_TIMER.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT periodMs, TIMERPROC proc)
{
    if (!HostOwnsWindow(window) || proc != nullptr)
        return 0;
    if (!TimerSet(&host.timers, id, periodMs, HostNow()))
        return 0;
    HostTimersChanged();
    return id != 0 ? id : 1;
}

BOOL KillTimer(HWND window, UINT_PTR id)
{
    if (window != &host.window)
        return FALSE;
    bool killed = TimerKill(&host.timers, id);
    HostTimersChanged();
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
        HostInputCloses();
    return 0;
}

bool HostTakeQueuedMessage(UINT *message, WPARAM *wParam)
{
    TimerCollect(&host.timers, HostNow());
    uintptr_t id = 0;
    if (host.needsPaint) {
        host.needsPaint = false;
        *message = WM_PAINT;
        *wParam = 0;
        return true;
    }
    if (!TimerTakePending(&host.timers, &id))
        return false;
    *message = WM_TIMER;
    *wParam = id;
    return true;
}
