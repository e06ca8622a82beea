// Writes numbers.sh: the numbers the shell scripts need, as shell assignments, taken from the
// headers and the build that define them, so no script reads them out of a source file.
#include <stdio.h>

#include "platform/policy/closing.h"
#include "platform/policy/timing.h"

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: tumblix-numbers OUTPUT\n");
        return 2;
    }
    FILE *out = fopen(argv[1], "w");
    if (!out) {
        perror(argv[1]);
        return 1;
    }
    fprintf(out, "# Written by the build (scripts/numbers.cpp); scripts source it.\n");
    fprintf(out, "MOUSE_JITTER_PX=%d\n", MOUSE_JITTER_PX);
    fprintf(out, "GRAVITY_PERIOD_MS=%d\n", GRAVITY_PERIOD_MS);
    fprintf(out, "STEERING_PERIOD_MS=%d\n", STEERING_PERIOD_MS);
    fprintf(out, "TUMBLIX_VERSION=%s\n", TUMBLIX_VERSION);
    if (fclose(out) != 0) {
        perror(argv[1]);
        remove(argv[1]);
        return 1;
    }
    return 0;
}
