// The null host: the saver's window procedure on the shim with no display, no input and a
// simulated clock. It runs a number of frames as fast as it can, then closes the window as an
// owner would, and ends with the quit message's code. The template for a new host: a real one
// replaces the clock and the loop's sleep (loop.cpp) and the OpenGL (gl.cpp) with its
// platform's.
//   tumblix-null [FRAMES]     (default 300)
#include <stdio.h>
#include <stdlib.h>

#include "platform/null/host.h"
#include "platform/policy/exit_status.h"

static const long DEFAULT_FRAMES = 300;  // frames a run draws unless told otherwise

int main(int argc, char **argv)
{
    long frames = argc > 1 ? strtol(argv[1], nullptr, 10) : DEFAULT_FRAMES;
    if (argc > 2 || frames <= 0) {
        fprintf(stderr, "usage: tumblix-null [FRAMES]\n");
        return EXIT_BAD_USAGE;
    }
    HostStartShim();
    int status = HostRun((unsigned long)frames);
    printf("tumblix-null: %lu frames in %lld simulated ms\n", HostFrames(), HostSimulatedMs());
    return HostFrames() == (unsigned long)frames ? status : EXIT_CANNOT_START;
}
