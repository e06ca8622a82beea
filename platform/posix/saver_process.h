// A POSIX saver program's main, written once: the command line, the process's start (the
// termination signals, no shader cache, the saver's classes), then the host's own steps.
#ifndef TUMBLIX_POSIX_SAVER_PROCESS_H
#define TUMBLIX_POSIX_SAVER_PROCESS_H

#include "platform/posix/options.h"

// A host's own steps, for RunSaverProgram.
struct SaverProgram {
    // Reads the command line into the host's own record; on PARSE_ERROR `error` says why.
    ParseResult (*readOptions)(int argc, const char *const *argv, char error[OPTION_ERROR_SIZE]);
    const char *(*usage)();  // the usage text, several lines ending in a newline
    bool (*open)();          // the display and the window: prints a line, false when it cannot
    int (*run)();            // the loop: returns the quit message's code
    void (*close)();         // after the loop: lets the display go; may be null
};

// Called by a host's main: --help, --version and a bad command line are answered here with
// their statuses; otherwise the process starts and the host opens, runs and closes. Returns
// the exit status: the quit code's low byte, as exit() keeps it, or EXIT_CANNOT_START.
int RunSaverProgram(int argc, char **argv, const SaverProgram *program);

#endif
