// The screen-saver host's program entry: reads the command line, then runs the configuration
// dialog, or creates the one saver window (full screen or preview) and runs its message loop.
#include <windows.h>
#include <scrnsave.h>

#include "platform/win32/options.h"
#include "platform/win32/host.h"
#include "platform/policy/exit_status.h"
#include "platform/policy/surface.h"

HINSTANCE hMainInstance;
HWND hMainWindow;
WINBOOL fChildPreview;

static const wchar_t SAVER_CLASS_NAME[] = L"WindowsScreenSaverClass";
static const wchar_t SAVER_TITLE[] = L"" SAVER_TITLE_TEXT;
static const wchar_t NO_SETTINGS_TEXT[] = L"Tumblix has no settings.";

// A GUI program has no console; a caller that gave it a standard error stream (a script,
// a test) still gets told why it ended.
static void Complain(const char *text)
{
    HANDLE out = GetStdHandle(STD_ERROR_HANDLE);
    if (out == NULL || out == INVALID_HANDLE_VALUE)
        return;
    DWORD length = 0;
    while (text[length] != '\0')
        ++length;
    DWORD written = 0;
    WriteFile(out, text, length, &written, NULL);
}

// Full screen covers real pixels at any display scaling. The newer call is looked up at run
// time so that the program still imports only what every supported Windows has.
static void BecomeDpiAware(void)
{
    typedef BOOL(WINAPI * SetContextFn)(HANDLE);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    FARPROC proc = user32 ? GetProcAddress(user32, "SetProcessDpiAwarenessContext") : NULL;
    if (proc != NULL) {
        SetContextFn setContext =
            reinterpret_cast<SetContextFn>(reinterpret_cast<void (*)(void)>(proc));
        const HANDLE perMonitorV2 =
            (HANDLE)(intptr_t)-4;  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
        if (setContext(perMonitorV2))
            return;
    }
    SetProcessDPIAware();
}

// The class asks for icon ID_APP; a program without that icon gets a class without one.
static bool RegisterSaverClass(HINSTANCE instance)
{
    WNDCLASSW windowClass = {};
    windowClass.style =
        CS_OWNDC | CS_HREDRAW | CS_VREDRAW;  // one DC for the life of the GL context
    windowClass.lpfnWndProc = HostWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(ID_APP));
    windowClass.hCursor =
        LoadCursorW(NULL, MAKEINTRESOURCEW(32512));  // IDC_ARROW; hidden in full screen
    windowClass.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    windowClass.lpszClassName = SAVER_CLASS_NAME;
    return RegisterClassW(&windowClass) != 0;
}

static HWND CreateFullScreenWindow(HINSTANCE instance)
{
    int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);

    POINT pointer;
    bool pointerKnown = GetCursorPos(&pointer) != 0;
    PrepareHostWindow(false, pointerKnown, pointer.x - left, pointer.y - top);

    ShowCursor(FALSE);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, SAVER_CLASS_NAME, SAVER_TITLE,
                                  WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, left,
                                  top, width, height, NULL, NULL, instance, NULL);
    // Key presses reach only the foreground window; a saver started by a program that keeps
    // the foreground (a script, a console) would otherwise not close on the keyboard.
    if (window != NULL)
        SetForegroundWindow(window);
    return window;
}

static HWND CreatePreviewWindow(HINSTANCE instance, HWND parent)
{
    RECT area;
    if (!GetClientRect(parent, &area))
        return NULL;
    PrepareHostWindow(true, false, 0, 0);
    return CreateWindowExW(
        0, SAVER_CLASS_NAME, SAVER_TITLE, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
        0, 0, area.right - area.left, area.bottom - area.top, parent, NULL, instance, NULL);
}

// The dialog procedure type returns INT_PTR; the program's answers BOOL.
static INT_PTR CALLBACK ConfigureDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ScreenSaverConfigureDialog(dialog, message, wParam, lParam);
}

// A program without dialog template DLG_SCRNSAVECONFIGURE has nothing to configure. It says
// so in a message box, so that the Settings button of the Screen Saver Settings does not
// look broken; the box belongs to the Settings window when one is given.
static int RunConfigure(HINSTANCE instance, HWND parent)
{
    if (!RegisterDialogClasses(instance)) {
        Complain("The screen saver could not start.\n");
        return EXIT_CANNOT_START;
    }
    if (parent != NULL && !IsWindow(parent))
        parent = NULL;
    if (FindResourceW(instance, MAKEINTRESOURCEW(DLG_SCRNSAVECONFIGURE), MAKEINTRESOURCEW(5)) !=
        NULL)  // RT_DIALOG
        DialogBoxParamW(instance, MAKEINTRESOURCEW(DLG_SCRNSAVECONFIGURE), parent,
                        ConfigureDialogProc, 0);
    else
        MessageBoxW(parent, NO_SETTINGS_TEXT, SAVER_TITLE, MB_OK);
    return EXIT_OK;
}

static int RunSaver(HINSTANCE instance, bool preview, HWND parent)
{
    BecomeDpiAware();
    if (!RegisterDialogClasses(instance) || !RegisterSaverClass(instance)) {
        Complain("The screen saver could not start.\n");
        return EXIT_CANNOT_START;
    }
    fChildPreview = preview;
    HWND window =
        preview ? CreatePreviewWindow(instance, parent) : CreateFullScreenWindow(instance);
    if (window == NULL) {
        Complain("The screen saver window could not be created.\n");
        return EXIT_CANNOT_START;
    }
    return RunMessageLoop();
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    hMainInstance = instance;
    SaverCommand command = ParseSaverCommandLine(commandLine != NULL ? commandLine : "");
    HWND given = (HWND)command.window;

    switch (command.mode) {
    case SAVER_MODE_CONFIGURE:
        return RunConfigure(instance, given);
    case SAVER_MODE_PASSWORD:
        // Windows NT keeps the saver password with the user's logon password.
        return EXIT_OK;
    case SAVER_MODE_FULL_SCREEN:
        return RunSaver(instance, false, NULL);
    case SAVER_MODE_PREVIEW:
        if (!IsWindow(given)) {
            Complain("The preview window does not exist.\n");
            return EXIT_CANNOT_START;
        }
        return RunSaver(instance, true, given);
    case SAVER_MODE_INVALID:
    default:
        break;
    }
    Complain(
        "Unknown command line. Use /s (full screen), /p <window> (preview) or /c (settings).\n");
    return EXIT_BAD_USAGE;
}
