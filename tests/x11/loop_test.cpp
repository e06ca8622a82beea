// The host's message loop with a recording window procedure, on a real display: one
// WM_CREATE first, timers at their periods, WM_PAINT on exposure, one message at a time,
// no burst of catch-up ticks after a stall, and a signal that ends in WM_DESTROY with no
// WM_TIMER or WM_PAINT after it. Needs $DISPLAY.
#include <gtest/gtest.h>

#include <signal.h>
#include <stdio.h>
#include <time.h>

#include "platform/posix/stop_signals.h"
#include "platform/x11/host.h"
#include <scrnsave.h>

namespace
{

const int64_t MS = 1000000;           // nanoseconds
const int64_t STALL_AT = 500 * MS;    // after this, one handler sleeps...
const int64_t STALL = 300 * MS;       // ...this long
const int64_t SIGNAL_AT = 1200 * MS;  // then a SIGTERM arrives inside a handler

struct Record {
    UINT message;
    WPARAM wParam;
    int64_t at;  // since WM_CREATE
};

Record records[4096];
int recorded;
int64_t created;
int64_t stallEnded = -1;
int signalIndex = -1;  // index of the record whose handler raised the signal
int depth, deepest;
bool setTimerRefusedOtherWindows;
BOOL killedBoth;

void Sleep(int64_t ns)
{
    struct timespec pause = {(time_t)(ns / 1000000000), (long)(ns % 1000000000)};
    nanosleep(&pause, nullptr);
}

}  // namespace

LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ++depth;
    deepest = depth > deepest ? depth : deepest;
    int64_t now = ShimNow();
    if (message == WM_CREATE)
        created = now;
    if (recorded < (int)(sizeof records / sizeof records[0]))
        records[recorded++] = {message, wParam, now - created};
    LRESULT result = 0;
    switch (message) {
    case WM_CREATE:
        setTimerRefusedOtherWindows =
            SetTimer(nullptr, 1, 40, nullptr) == 0 && SetTimer((HWND)&records, 1, 40, nullptr) == 0;
        SetTimer(window, 1, 40, nullptr);
        SetTimer(window, 2, 20, nullptr);
        break;
    case WM_TIMER:
        if (stallEnded < 0 && now - created >= STALL_AT) {
            Sleep(STALL);
            stallEnded = ShimNow() - created;
        } else if (signalIndex < 0 && now - created >= SIGNAL_AT) {
            signalIndex = recorded - 1;
            raise(SIGTERM);
        }
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        break;
    }
    case WM_DESTROY:
        killedBoth = KillTimer(window, 1) && KillTimer(window, 2);
        PostQuitMessage(0);
        break;
    default:
        result = DefScreenSaverProc(window, message, wParam, lParam);
    }
    --depth;
    return result;
}

BOOL WINAPI ScreenSaverConfigureDialog(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}
BOOL WINAPI RegisterDialogClasses(HANDLE)
{
    return TRUE;
}

namespace
{

int CountTimers(WPARAM id, int64_t from, int64_t to)
{
    int count = 0;
    for (int i = 0; i < recorded; ++i)
        if (records[i].message == WM_TIMER && records[i].wParam == id && records[i].at >= from &&
            records[i].at < to)
            ++count;
    return count;
}

TEST(HostLoop, OneWindowFromCreationToDestruction)
{
    host.display = XOpenDisplay(nullptr);
    ASSERT_NE(host.display, nullptr) << "needs an X display";
    HostInstallErrorHandlers();
    CatchStopSignals();
    ASSERT_TRUE(HostPrepareWindow(X11_WINDOW, 0));
    EXPECT_EQ(HostRun(), 0);

    ASSERT_GT(recorded, 2);
    EXPECT_EQ(records[0].message, (UINT)WM_CREATE);
    EXPECT_EQ(records[recorded - 1].message, (UINT)WM_DESTROY);
    int creates = 0, destroys = 0, paints = 0;
    for (int i = 0; i < recorded; ++i) {
        creates += records[i].message == WM_CREATE;
        destroys += records[i].message == WM_DESTROY;
        paints += records[i].message == WM_PAINT;
    }
    EXPECT_EQ(creates, 1);
    EXPECT_EQ(destroys, 1);
    EXPECT_GE(paints, 1) << "mapping the window exposes it";
    EXPECT_EQ(deepest, 1) << "messages never nest";
    EXPECT_TRUE(setTimerRefusedOtherWindows);
    EXPECT_TRUE(killedBoth) << "both timers were alive until WM_DESTROY";

    // Periods: in the first 500 ms, 12 or 13 ticks of 40 ms and 25 of 20 ms, never more.
    // The lower bounds only catch a loop that stalls; a loaded machine may be slow.
    int gravity = CountTimers(1, 0, STALL_AT), steering = CountTimers(2, 0, STALL_AT);
    EXPECT_LE(gravity, 13);
    EXPECT_LE(steering, 26);
    EXPECT_GE(gravity, 6);
    EXPECT_GE(steering, 12);

    // After a 300 ms stall each timer has one message waiting, not 7 or 15: the next 100 ms
    // bring at most that plus the regular ticks (2 or 3 and 5).
    ASSERT_GT(stallEnded, 0);
    int after = CountTimers(1, stallEnded, stallEnded + 100 * MS) +
                CountTimers(2, stallEnded, stallEnded + 100 * MS);
    EXPECT_LE(after, 10);
    printf("first 500 ms: %d gravity, %d steering ticks; 100 ms after the stall: %d\n", gravity,
           steering, after);

    // The signal came inside a timer message; the next message is WM_DESTROY.
    ASSERT_GE(signalIndex, 0);
    EXPECT_EQ(signalIndex + 2, recorded);
}

}  // namespace
