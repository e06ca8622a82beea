// The null host's message loop, on a simulated clock: where a real host sleeps until its
// platform's next event or the next timer deadline, this one moves the clock there at once.
// Its turns are every host's: the closing turn (ShimLoopGoesOn), input, then WM_PAINT before
// one WM_TIMER.
#include "platform/null/host.h"
#include "platform/posix/stop_signals.h"

HostState host;

static const int64_t NS_PER_MS = 1000000;

static int64_t Now()
{
    return host.clockNs;
}

// No monitor entries: the window is the one monitor. The loop looks at the queue and the
// closing state afresh every turn, so nothing needs waking.
void HostStartShim(int width, int height, bool closesOnInput)
{
    const ShimHost table = {Now, ShimNothingToDo, ShimNothingToDo, HOST_GL, {}};
    ShimStart(&table, width, height, closesOnInput);
}

int HostRun()
{
    ShimCreate();
    int exitCode = 0;
    while (ShimLoopGoesOn(StopSignalled(), HostTakeDownWindow, &exitCode)) {
        HostPlayInput(host.frames);
        if (ShimClosing())
            continue;
        // A window's owner closes it after the last frame; with no timer nothing more would
        // ever be drawn.
        int waitMs = ShimWaitMs();
        if (host.frames >= host.options.frames || waitMs < 0) {
            host.ownerClosed = true;
            ShimSend(WM_CLOSE, 0, 0);
        } else if (!ShimSendQueued())
            host.clockNs += (int64_t)waitMs * NS_PER_MS;
    }
    return exitCode;
}
