// The screen-saver host's window procedure and DefScreenSaverProc: closing on user input
// in full screen, hiding the cursor, and keeping paint and timer messages from the program
// once closing has started. One saver window per process.
#include "platform/win32/host.h"

#include <scrnsave.h>

#include "platform/policy/closing.h"
#include "platform/policy/messages.h"

// The shared closing rule names the messages without windows.h; make sure the numbers agree.
static_assert(SAVER_WM_CREATE == WM_CREATE, "message number");
static_assert(SAVER_WM_DESTROY == WM_DESTROY, "message number");
static_assert(SAVER_WM_PAINT == WM_PAINT, "message number");
static_assert(SAVER_WM_CLOSE == WM_CLOSE, "message number");
static_assert(SAVER_WM_TIMER == WM_TIMER, "message number");
static_assert(SAVER_WM_ACTIVATE == WM_ACTIVATE, "message number");
static_assert(SAVER_WM_ACTIVATEAPP == WM_ACTIVATEAPP, "message number");
static_assert(SAVER_WM_DISPLAYCHANGE == WM_DISPLAYCHANGE, "message number");
static_assert(SAVER_WM_KEYDOWN == WM_KEYDOWN, "message number");
static_assert(SAVER_WM_SYSKEYDOWN == WM_SYSKEYDOWN, "message number");
static_assert(SAVER_WM_MOUSEMOVE == WM_MOUSEMOVE, "message number");
static_assert(SAVER_WM_LBUTTONDOWN == WM_LBUTTONDOWN, "message number");
static_assert(SAVER_WM_RBUTTONDOWN == WM_RBUTTONDOWN, "message number");
static_assert(SAVER_WM_MBUTTONDOWN == WM_MBUTTONDOWN, "message number");
static_assert(SAVER_WM_MOUSEWHEEL == WM_MOUSEWHEEL, "message number");
static_assert(SAVER_WM_XBUTTONDOWN == WM_XBUTTONDOWN, "message number");
static_assert(SAVER_WM_MOUSEHWHEEL == WM_MOUSEHWHEEL, "message number");

static CloseRules closeRules;

void PrepareHostWindow(bool preview, bool pointer_known, int pointer_x, int pointer_y)
{
    StartCloseRules(&closeRules, !preview);
    if (!preview && pointer_known)
        SetPointerStart(&closeRules, pointer_x, pointer_y);
}

// Closing goes through a posted WM_CLOSE so that the window is destroyed from the message
// loop, not from inside the program's handling of the input message.
static void PostClose(HWND window)
{
    if (!PostMessageW(window, WM_CLOSE, 0, 0))
        DestroyWindow(window);
}

LRESULT WINAPI DefScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case SCRM_VERIFYPW:
        // Windows NT checks the password itself before it ends a saver.
        return TRUE;
    case WM_CLOSE:
        StartClosing(&closeRules);
        DestroyWindow(window);
        return 0;
    default:
        break;
    }
    if (!closeRules.closesOnInput)
        return DefWindowProcW(window, message, wParam, lParam);

    switch (message) {
    case WM_SETCURSOR:
        SetCursor(NULL);
        return TRUE;
    case WM_SYSCOMMAND:
        // A running saver neither starts another nor closes by the system menu.
        if ((wParam & 0xFFF0) == SC_SCREENSAVE || (wParam & 0xFFF0) == SC_CLOSE)
            return FALSE;
        break;
    default:
        break;
    }
    if (ShouldStartClosing(&closeRules, message, wParam, lParam)) {
        PostClose(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hMainWindow == NULL)
        hMainWindow = window;
    if (!ReachesSaver(&closeRules, message)) {
        if (message == WM_PAINT)
            ValidateRect(window, NULL);
        return 0;
    }
    LRESULT result = ScreenSaverProc(window, message, wParam, lParam);
    if (message == WM_DESTROY) {
        hMainWindow = NULL;
        PostQuitMessage(0);
    }
    return result;
}
