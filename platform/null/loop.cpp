// The null host's message loop, on a simulated clock: where a real host sleeps until the next
// timer deadline, this one moves the clock there at once.
#include "platform/null/host.h"

static const int64_t NS_PER_MS = 1000000;

static int64_t clockNs;  // the simulated clock

static int64_t Now(void *)
{
    return clockNs;
}

// Nothing to wake and no input to close on.
static void Nothing(void *) {}

void HostStartShim()
{
    // No monitor entries: the window is the one monitor.
    const ShimHost table = {nullptr, Now, Nothing, Nothing, HOST_GL, {}};
    ShimStart(&table, HOST_WIDTH, HOST_HEIGHT, false);
}

int HostRun(unsigned long frames)
{
    ShimCreate();
    while (ShimWindowLives() && HostFrames() < frames) {
        if (ShimSendQueued())
            continue;
        int waitMs = ShimWaitMs();
        if (waitMs < 0)
            break;  // no timer runs: nothing more will ever be drawn
        clockNs += (int64_t)waitMs * NS_PER_MS;
    }
    // Closed as an owner closes a window.
    ShimSend(WM_CLOSE, 0, 0);
    ShimDestroy();
    int exitCode = -1;
    ShimQuitPosted(&exitCode);
    return exitCode;
}

long long HostSimulatedMs()
{
    return clockNs / NS_PER_MS;
}
