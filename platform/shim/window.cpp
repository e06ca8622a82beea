// The saver window of the hosts that are not Windows: its life from WM_CREATE to WM_DESTROY,
// the user32 calls the window procedure makes (timers, painting, device contexts, the quit
// message, the default saver procedure), and which queued message the loop hands out next.
#include <string.h>
#include <time.h>

#include <GL/gl.h>
#include <scrnsave.h>

#include "platform/shim/records.h"

ShimState shim;

int64_t ShimMonotonicNs()
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (int64_t)now.tv_sec * 1000000000 + now.tv_nsec;
}

void ShimNothingToDo() {}

void ShimStart(const ShimHost *host, int width, int height, bool closesOnInput)
{
    shim = ShimState();
    shim.host = *host;
    shim.window.width = width;
    shim.window.height = height;
    shim.window.dc.window = &shim.window;
    StartCloseRules(&shim.rules, closesOnInput);
}

HWND ShimWindow()
{
    return &shim.window;
}

bool WindowLives(HWND window)
{
    return window == &shim.window && shim.created && !shim.destroyed;
}

int64_t ShimNow()
{
    return shim.host.now();
}

LRESULT ShimCreate()
{
    shim.created = true;
    return ScreenSaverProc(&shim.window, WM_CREATE, 0, 0);
}

void ShimSend(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!shim.created || shim.destroyed || !ReachesSaver(&shim.rules, message))
        return;
    ScreenSaverProc(&shim.window, message, wParam, lParam);
}

bool ShimSendQueued()
{
    if (!shim.created || shim.destroyed)
        return false;
    TimerCollect(&shim.timers, ShimNow());
    if (shim.needsPaint) {
        shim.needsPaint = false;
        ShimSend(WM_PAINT, 0, 0);
        return true;
    }
    uintptr_t id = 0;
    if (!TimerTakePending(&shim.timers, &id))
        return false;
    ShimSend(WM_TIMER, id, 0);
    return true;
}

int ShimWaitMs()
{
    if (shim.needsPaint)
        return 0;
    return TimerWaitMs(&shim.timers, ShimNow());
}

void ShimResize(int width, int height)
{
    shim.window.width = width;
    shim.window.height = height;
    if (shim.current != nullptr)
        glViewport(0, 0, width, height);
}

void ShimWindowSize(int *width, int *height)
{
    *width = shim.window.width;
    *height = shim.window.height;
}

void ShimInvalidate()
{
    shim.needsPaint = true;
    shim.host.queueChanged();
}

void ShimArmClosing(bool closesOnInput)
{
    ArmCloseRules(&shim.rules, closesOnInput);
}

void ShimSetPointerStart(int x, int y)
{
    SetPointerStart(&shim.rules, x, y);
}

void ShimForgetPointerStart()
{
    ForgetPointerStart(&shim.rules);
}

void ShimStartClosing()
{
    StartClosing(&shim.rules);
}

bool ShimClosing()
{
    return shim.rules.closing;
}

void ShimDestroy()
{
    if (!shim.created || shim.destroyed)
        return;
    StartClosing(&shim.rules);
    ScreenSaverProc(&shim.window, WM_DESTROY, 0, 0);
    shim.destroyed = true;
    TimerKillAll(&shim.timers);
    ReleaseCurrentContext();
    shim.host.queueChanged();
    if (!shim.quitPosted)
        PostQuitMessage(0);
}

bool ShimWindowLives()
{
    return WindowLives(&shim.window);
}

bool ShimQuitPosted(int *exitCode)
{
    *exitCode = shim.quitCode;
    return shim.quitPosted;
}

bool ShimLoopGoesOn(bool stop, void (*takeDown)(), int *exitCode)
{
    if (stop)
        StartClosing(&shim.rules);
    if (shim.rules.closing && !shim.quitPosted)
        takeDown();
    *exitCode = shim.quitCode;
    return !shim.quitPosted && !shim.rules.closing;
}

// A timer procedure is not supported: every timer arrives as WM_TIMER.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT periodMs, TIMERPROC proc)
{
    if (!WindowLives(window) || proc != nullptr)
        return 0;
    if (!TimerSet(&shim.timers, id, periodMs, ShimNow()))
        return 0;
    shim.host.queueChanged();
    return id != 0 ? id : 1;
}

BOOL KillTimer(HWND window, UINT_PTR id)
{
    if (window != &shim.window)
        return FALSE;
    bool killed = TimerKill(&shim.timers, id);
    shim.host.queueChanged();
    return killed ? TRUE : FALSE;
}

HDC BeginPaint(HWND window, PAINTSTRUCT *paint)
{
    if (!WindowLives(window) || paint == nullptr)
        return nullptr;
    memset(paint, 0, sizeof *paint);
    paint->hdc = &window->dc;
    paint->rcPaint.right = window->width;
    paint->rcPaint.bottom = window->height;
    shim.needsPaint = false;
    return &window->dc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT *)
{
    return window == &shim.window ? TRUE : FALSE;
}

HDC GetDC(HWND window)
{
    return WindowLives(window) ? &window->dc : nullptr;
}

int ReleaseDC(HWND window, HDC dc)
{
    return window == &shim.window && dc == &shim.window.dc ? 1 : 0;
}

void PostQuitMessage(int exitCode)
{
    shim.quitPosted = true;
    shim.quitCode = exitCode;
}

LRESULT WINAPI DefScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window != &shim.window)
        return 0;
    if (message == WM_PAINT)
        shim.needsPaint = false;
    if (ShouldStartClosing(&shim.rules, message, wParam, lParam))
        shim.host.inputCloses();
    return 0;
}
