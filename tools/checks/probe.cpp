// The saver under Wine, for the tests and the benchmarks, built with the same toolchain as
// the saver: starts it as a child process, watches which windows it shows, and reports how
// it ended.
//
//   tumblix_probe run <timeout_ms> <saver> [arguments...]
//       runs the saver with the arguments; reports its exit status and how many visible
//       top-level windows it showed.
//   tumblix_probe dead-preview <timeout_ms> <saver>
//       makes a window, destroys it, and runs the saver with /p and the dead handle.
//   tumblix_probe preview <saver> <x> <y> <width> <height> <hold_ms> <timeout_ms>
//       shows a magenta parent window at the given screen rectangle, runs the saver with
//       /p and the parent's handle, prints "ready" once the saver's child window exists,
//       keeps the parent for hold_ms, then destroys it and waits for the saver to end.
//   tumblix_probe system <saver>
//       runs the saver with /s and sends its window what the system sends a running saver:
//       "start a screen saver" and "close" system commands and a password check (reports
//       the answers and whether the saver still runs), then a close message; reports how
//       the saver ended.
//   tumblix_probe settings <saver> none|/c|/c:parent
//       runs the saver's settings mode (no switch, /c, or /c: with a window of the probe's),
//       waits for the window it shows, reports its title, its text and whether the parent
//       owns it, presses OK and reports how the saver ended.
//   tumblix_probe idle <hold_ms>
//       shows a small window in the foreground, prints "ready", keeps it for hold_ms and
//       ends: a Wine program that is not the saver, to tell what Wine itself changes in the
//       prefix, or the program in front when a saver starts.
//   tumblix_probe inspect
//       names the foreground window; finds the saver's full-screen window and reports
//       whether it is topmost and whether the cursor shows.
//
// Output is one "key=value" line per fact. Exit status 0 when the saver ended within the
// timeout (and, for preview and system, passed the checks named), 1 when a check failed,
// 2 on bad usage.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static const wchar_t PARENT_CLASS[] = L"TumblixProbeParent";
static const COLORREF PARENT_COLOUR = RGB(255, 0, 255);  // never a block colour
static const int POLL_MS = 2;
static const int MAX_SEEN = 32;

struct Watch {
    DWORD processId;
    HWND seen[MAX_SEEN];
    int count;
};

static BOOL CALLBACK NoteWindow(HWND window, LPARAM context)
{
    Watch *watch = (Watch *)context;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != watch->processId || !IsWindowVisible(window))
        return TRUE;
    for (int i = 0; i < watch->count; ++i)
        if (watch->seen[i] == window)
            return TRUE;
    if (watch->count < MAX_SEEN)
        watch->seen[watch->count++] = window;
    return TRUE;
}

static void PumpMessages(void)
{
    MSG message;
    while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

static bool StartSaver(const char *saver, const char *arguments, PROCESS_INFORMATION *process)
{
    char commandLine[2048];
    snprintf(commandLine, sizeof commandLine, "\"%s\"%s%s", saver, arguments[0] ? " " : "",
             arguments);
    STARTUPINFOA startup;
    memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    memset(process, 0, sizeof *process);
    if (!CreateProcessA(NULL, commandLine, NULL, NULL, TRUE, 0, NULL, NULL, &startup, process)) {
        printf("error=cannot start %s (%lu)\n", commandLine, GetLastError());
        return false;
    }
    return true;
}

// Waits for the saver to end, polling its windows meanwhile. False on timeout, after which
// the saver has been terminated.
static bool WaitForSaver(PROCESS_INFORMATION *process, DWORD timeoutMs, Watch *watch,
                         DWORD *exitCode, ULONGLONG *elapsedMs)
{
    ULONGLONG start = GetTickCount64();
    bool ended = false;
    for (;;) {
        if (watch != NULL)
            EnumWindows(NoteWindow, (LPARAM)watch);
        PumpMessages();
        if (WaitForSingleObject(process->hProcess, POLL_MS) == WAIT_OBJECT_0) {
            ended = true;
            break;
        }
        if (GetTickCount64() - start > timeoutMs)
            break;
    }
    *elapsedMs = GetTickCount64() - start;
    if (!ended) {
        TerminateProcess(process->hProcess, 99);
        WaitForSingleObject(process->hProcess, 5000);
    }
    GetExitCodeProcess(process->hProcess, exitCode);
    CloseHandle(process->hThread);
    CloseHandle(process->hProcess);
    return ended;
}

static int Report(bool ended, DWORD exitCode, ULONGLONG elapsedMs, const Watch *watch)
{
    printf("ended=%d\nexit=%lu\nms=%llu\n", ended ? 1 : 0, exitCode, elapsedMs);
    if (watch != NULL)
        printf("windows=%d\n", watch->count);
    fflush(stdout);
    return ended ? 0 : 1;
}

static int RunSaver(DWORD timeoutMs, const char *saver, const char *arguments)
{
    PROCESS_INFORMATION process;
    if (!StartSaver(saver, arguments, &process))
        return 1;
    Watch watch = {process.dwProcessId, {}, 0};
    DWORD exitCode = 0;
    ULONGLONG elapsed = 0;
    bool ended = WaitForSaver(&process, timeoutMs, &watch, &exitCode, &elapsed);
    return Report(ended, exitCode, elapsed, &watch);
}

static HWND MakeParent(int x, int y, int width, int height)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(NULL);
    windowClass.hbrBackground = CreateSolidBrush(PARENT_COLOUR);
    windowClass.lpszClassName = PARENT_CLASS;
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, PARENT_CLASS, L"Tumblix preview test",
                           WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width, height, NULL, NULL,
                           windowClass.hInstance, NULL);
}

static int RunDeadPreview(DWORD timeoutMs, const char *saver)
{
    HWND gone = MakeParent(0, 0, 10, 10);
    DestroyWindow(gone);
    if (gone == NULL || IsWindow(gone)) {
        printf("error=could not make a dead window handle\n");
        return 1;
    }
    char arguments[64];
    snprintf(arguments, sizeof arguments, "/p %llu", (unsigned long long)(ULONG_PTR)gone);
    return RunSaver(timeoutMs, saver, arguments);
}

static int RunPreview(const char *saver, int x, int y, int width, int height, DWORD holdMs,
                      DWORD timeoutMs)
{
    HWND parent = MakeParent(x, y, width, height);
    if (parent == NULL) {
        printf("error=cannot make the parent window\n");
        return 1;
    }
    PumpMessages();
    char arguments[64];
    snprintf(arguments, sizeof arguments, "/p %llu", (unsigned long long)(ULONG_PTR)parent);
    PROCESS_INFORMATION process;
    if (!StartSaver(saver, arguments, &process))
        return 1;

    // Hold the parent open, noting the saver's child as soon as it appears.
    HWND child = NULL;
    ULONGLONG start = GetTickCount64();
    while (GetTickCount64() - start < holdMs) {
        PumpMessages();
        if (child == NULL) {
            child = GetWindow(parent, GW_CHILD);
            if (child != NULL) {
                printf("ready\n");
                fflush(stdout);
            }
        }
        if (WaitForSingleObject(process.hProcess, POLL_MS) == WAIT_OBJECT_0)
            break;
    }

    bool filled = false;
    if (child != NULL && IsWindow(child)) {
        RECT inner, outer;
        GetWindowRect(child, &inner);
        GetClientRect(parent, &outer);
        POINT origin = {0, 0};
        ClientToScreen(parent, &origin);
        LONG style = GetWindowLongW(child, GWL_STYLE);
        filled = inner.left == origin.x && inner.top == origin.y &&
                 inner.right - inner.left == outer.right &&
                 inner.bottom - inner.top == outer.bottom;
        printf("child=%ldx%ld+%ld+%ld\nparent=%ldx%ld+%ld+%ld\nchild_style=0x%08lx\n",
               inner.right - inner.left, inner.bottom - inner.top, inner.left, inner.top,
               outer.right, outer.bottom, origin.x, origin.y, (unsigned long)style);
        const LONG wanted = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
        filled = filled && (style & wanted) == wanted;
    } else {
        printf("child=none\n");
    }

    // The preview ends when its parent goes away.
    DestroyWindow(parent);
    DWORD exitCode = 0;
    ULONGLONG elapsed = 0;
    bool ended = WaitForSaver(&process, timeoutMs, NULL, &exitCode, &elapsed);
    int status = Report(ended, exitCode, elapsed, NULL);
    return status == 0 && filled ? 0 : 1;
}

struct Finder {
    DWORD processId;
    HWND found;
};

static BOOL CALLBACK FindSaverWindow(HWND window, LPARAM context)
{
    Finder *finder = (Finder *)context;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == finder->processId && IsWindowVisible(window)) {
        finder->found = window;
        return FALSE;
    }
    return TRUE;
}

// Sends message and returns the answer, or -1 when the saver did not answer in time.
static LRESULT Ask(HWND window, UINT message, WPARAM wParam)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, 0, SMTO_ABORTIFHUNG, 5000, &answer))
        return -1;
    return (LRESULT)answer;
}

static int RunSystemMessages(const char *saver)
{
    const DWORD WINDOW_TIMEOUT_MS = 20000, SETTLE_MS = 3000, EXIT_TIMEOUT_MS = 15000;
    PROCESS_INFORMATION process;
    if (!StartSaver(saver, "/s", &process))
        return 1;
    Finder finder = {process.dwProcessId, NULL};
    ULONGLONG start = GetTickCount64();
    while (finder.found == NULL && GetTickCount64() - start < WINDOW_TIMEOUT_MS) {
        EnumWindows(FindSaverWindow, (LPARAM)&finder);
        Sleep(POLL_MS);
    }
    bool checksOk = false;
    if (finder.found != NULL) {
        LRESULT screensave = Ask(finder.found, WM_SYSCOMMAND, SC_SCREENSAVE);
        LRESULT closeCommand = Ask(finder.found, WM_SYSCOMMAND, SC_CLOSE);
        LRESULT password = Ask(finder.found, WM_APP, 0);  // SCRM_VERIFYPW
        Sleep(SETTLE_MS);
        bool running = WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
        printf("sc_screensave=%lld\nsc_close=%lld\nverify_password=%lld\nrunning=%d\n",
               (long long)screensave, (long long)closeCommand, (long long)password,
               running ? 1 : 0);
        checksOk = screensave == 0 && closeCommand == 0 && password == 1 && running;
        PostMessageW(finder.found, WM_CLOSE, 0, 0);
    } else {
        printf("window=none\n");
    }
    DWORD exitCode = 0;
    ULONGLONG elapsed = 0;
    bool ended = WaitForSaver(&process, EXIT_TIMEOUT_MS, NULL, &exitCode, &elapsed);
    int status = Report(ended, exitCode, elapsed, NULL);
    return status == 0 && checksOk && exitCode == 0 ? 0 : 1;
}

static BOOL CALLBACK FindText(HWND child, LPARAM context)
{
    wchar_t className[16], *text = (wchar_t *)context;
    GetClassNameW(child, className, 16);
    if (lstrcmpiW(className, L"Static") != 0 || GetWindowTextW(child, text, 128) == 0)
        return TRUE;
    return FALSE;
}

static int RunSettings(const char *saver, const char *form)
{
    const DWORD WINDOW_TIMEOUT_MS = 20000, EXIT_TIMEOUT_MS = 15000;
    HWND parent = strcmp(form, "/c:parent") == 0 ? MakeParent(0, 0, 200, 150) : NULL;
    char arguments[64] = "";
    if (parent != NULL)
        snprintf(arguments, sizeof arguments, "/c:%llu", (unsigned long long)(ULONG_PTR)parent);
    else if (strcmp(form, "none") != 0)
        snprintf(arguments, sizeof arguments, "%s", form);
    PROCESS_INFORMATION process;
    if (!StartSaver(saver, arguments, &process))
        return 1;
    Finder finder = {process.dwProcessId, NULL};
    ULONGLONG start = GetTickCount64();
    while (finder.found == NULL && GetTickCount64() - start < WINDOW_TIMEOUT_MS) {
        PumpMessages();
        EnumWindows(FindSaverWindow, (LPARAM)&finder);
        Sleep(POLL_MS);
    }
    if (finder.found != NULL) {
        wchar_t title[128] = L"", text[128] = L"";
        GetWindowTextW(finder.found, title, 128);
        EnumChildWindows(finder.found, FindText, (LPARAM)text);
        printf("title=%ls\ntext=%ls\nowned=%d\n", title, text,
               parent != NULL && GetWindow(finder.found, GW_OWNER) == parent ? 1 : 0);
        HWND ok = GetDlgItem(finder.found, IDOK);
        PostMessageW(finder.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)ok);
    } else {
        printf("window=none\n");
    }
    DWORD exitCode = 0;
    ULONGLONG elapsed = 0;
    bool ended = WaitForSaver(&process, EXIT_TIMEOUT_MS, NULL, &exitCode, &elapsed);
    return Report(ended, exitCode, elapsed, NULL);
}

static int RunIdle(DWORD holdMs)
{
    HWND window = MakeParent(0, 0, 10, 10);
    SetForegroundWindow(window);
    printf("ready\n");
    fflush(stdout);
    ULONGLONG start = GetTickCount64();
    while (GetTickCount64() - start < holdMs) {
        PumpMessages();
        Sleep(POLL_MS);
    }
    DestroyWindow(window);
    printf("window=%d\n", window != NULL ? 1 : 0);
    return window != NULL ? 0 : 1;
}

// The cursor is hidden when its show count is below zero or no cursor is set; Windows reports
// the foreground thread's cursor, which is the saver's while it is in front.
static int InspectSaver(void)
{
    wchar_t title[64] = L"";
    GetWindowTextW(GetForegroundWindow(), title, (int)(sizeof title / sizeof title[0]));
    printf("foreground=%ls\n", title);
    HWND window = FindWindowW(L"WindowsScreenSaverClass", L"Tumblix");
    if (window == NULL) {
        printf("window=none\n");
        return 1;
    }
    CURSORINFO cursor = {};
    cursor.cbSize = sizeof cursor;
    bool known = GetCursorInfo(&cursor) != 0;
    bool hidden = known && (!(cursor.flags & CURSOR_SHOWING) || cursor.hCursor == NULL);
    bool topmost = (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    printf("topmost=%d\ncursor=%s\n", topmost ? 1 : 0,
           !known   ? "unknown"
           : hidden ? "hidden"
                    : "shown");
    return topmost && hidden && GetForegroundWindow() == window ? 0 : 1;
}

static bool ReadNumber(const char *text, long *value)
{
    char *end = NULL;
    *value = strtol(text, &end, 10);
    return end != text && *end == '\0' && *value >= 0;
}

int main(int argc, char **argv)
{
    // Plain "\n" line ends, so the shell tests can match whole lines.
    _setmode(_fileno(stdout), _O_BINARY);
    long n[6];
    if (argc >= 4 && strcmp(argv[1], "run") == 0 && ReadNumber(argv[2], &n[0])) {
        char arguments[1024] = "";
        for (int i = 4; i < argc; ++i) {
            if (strlen(arguments) + strlen(argv[i]) + 2 >= sizeof arguments)
                return 2;
            if (i > 4)
                strcat(arguments, " ");
            strcat(arguments, argv[i]);
        }
        return RunSaver((DWORD)n[0], argv[3], arguments);
    }
    if (argc == 4 && strcmp(argv[1], "dead-preview") == 0 && ReadNumber(argv[2], &n[0]))
        return RunDeadPreview((DWORD)n[0], argv[3]);
    if (argc == 9 && strcmp(argv[1], "preview") == 0) {
        for (int i = 0; i < 6; ++i)
            if (!ReadNumber(argv[3 + i], &n[i]))
                return 2;
        return RunPreview(argv[2], (int)n[0], (int)n[1], (int)n[2], (int)n[3], (DWORD)n[4],
                          (DWORD)n[5]);
    }
    if (argc == 3 && strcmp(argv[1], "system") == 0)
        return RunSystemMessages(argv[2]);
    if (argc == 4 && strcmp(argv[1], "settings") == 0)
        return RunSettings(argv[2], argv[3]);
    if (argc == 3 && strcmp(argv[1], "idle") == 0 && ReadNumber(argv[2], &n[0]))
        return RunIdle((DWORD)n[0]);
    if (argc == 2 && strcmp(argv[1], "inspect") == 0)
        return InspectSaver();
    fprintf(stderr, "usage: see the comment at the top of probe.cpp\n");
    return 2;
}
