// The screen-saver host's window procedure and DefScreenSaverProc: closing on user input
// in full screen, hiding the cursor, and keeping paint and timer messages from the program
// once closing has started, and timer messages while the display is powered off. One saver
// window per process.
#include "platform/win32/host.h"

#include <scrnsave.h>
#include <string.h>

#include "platform/policy/closing.h"
#include "platform/policy/messages.h"
#include "platform/win32/display_state.h"

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

static_assert(sizeof(PowerSettingId) == sizeof(GUID), "a GUID's layout");

static CloseRules closeRules;
static HPOWERNOTIFY displayWatch;  // the window's registration for the display's power state

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

// Windows answers the registration at once with the display's state, then sends every change.
// The saver itself never asks to keep the display on, so the system's own display timeout
// still powers it off while the saver runs.
static void WatchDisplay(HWND window)
{
    GUID setting;
    memcpy(&setting, &CONSOLE_DISPLAY_STATE_ID, sizeof setting);
    displayWatch = RegisterPowerSettingNotification(window, &setting, DEVICE_NOTIFY_WINDOW_HANDLE);
}

static void UnwatchDisplay()
{
    if (displayWatch != NULL)
        UnregisterPowerSettingNotification(displayWatch);
    displayWatch = NULL;
}

// A powered-off display shows nothing: the window is unseen until it is on or dimmed again.
static void FollowDisplay(LPARAM lParam)
{
    const POWERBROADCAST_SETTING *setting = reinterpret_cast<POWERBROADCAST_SETTING *>(lParam);
    if (setting == NULL)
        return;
    PowerSettingId id;
    memcpy(&id, &setting->PowerSetting, sizeof id);
    int seen = ConsoleDisplaySeen(&id, setting->DataLength, setting->Data);
    if (seen >= 0)
        SetSeen(&closeRules, seen == 1);
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hMainWindow == NULL)
        hMainWindow = window;
    if (message == WM_POWERBROADCAST && wParam == PBT_POWERSETTINGCHANGE)
        FollowDisplay(lParam);
    if (!ReachesSaver(&closeRules, message)) {
        if (message == WM_PAINT)
            ValidateRect(window, NULL);
        return 0;
    }
    LRESULT result = ScreenSaverProc(window, message, wParam, lParam);
    if (message == WM_CREATE)
        WatchDisplay(window);
    if (message == WM_DESTROY) {
        UnwatchDisplay();
        hMainWindow = NULL;
        PostQuitMessage(0);
    }
    return result;
}
