// The null host: the saver's window procedure on the shim with no display, no input and a
// simulated clock. It runs a number of frames as fast as it can, then closes the window as an
// owner would, and ends with the quit message's code. The template for a new host: a real one
// replaces the clock, the loop's sleep and gl.cpp with its platform's.
//   tumblix-null [FRAMES]     (default 300)
#include <stdio.h>
#include <stdlib.h>

#include "platform/policy/exit_status.h"
#include "platform/shim/shim.h"
#include "platform/null/host.h"

enum { DEFAULT_FRAMES = 300 };  // frames a run draws unless told otherwise

static const int64_t NS_PER_MS = 1000000;

static int64_t clockNs;  // the simulated clock, moved on by the loop instead of sleeping

static int64_t Now(void *)
{
    return clockNs;
}

static void Nothing(void *) {}

int main(int argc, char **argv)
{
    long frames = argc > 1 ? strtol(argv[1], nullptr, 10) : (long)DEFAULT_FRAMES;
    if (argc > 2 || frames <= 0) {
        fprintf(stderr, "usage: tumblix-null [FRAMES]\n");
        return EXIT_BAD_USAGE;
    }
    ShimHost table = {};
    table.now = Now;
    table.queueChanged = Nothing;
    table.inputCloses = Nothing;
    HostFillGL(&table);
    ShimStart(&table, HOST_WIDTH, HOST_HEIGHT, false);
    ShimCreate();
    while (ShimWindowLives() && HostFrames() < (unsigned long)frames) {
        if (ShimSendQueued())
            continue;
        int waitMs = ShimWaitMs();
        if (waitMs < 0)
            break;  // no timer runs: nothing more will ever be drawn
        clockNs += (int64_t)waitMs * NS_PER_MS;
    }
    ShimSend(WM_CLOSE, 0, 0);
    ShimDestroy();
    int exitCode = EXIT_CANNOT_START;
    ShimQuitPosted(&exitCode);
    printf("tumblix-null: %lu frames in %lld simulated ms\n", HostFrames(),
           (long long)(clockNs / 1000000));
    return HostFrames() == (unsigned long)frames ? exitCode : EXIT_CANNOT_START;
}
