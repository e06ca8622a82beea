// How every Tumblix program ends: the saver on each platform and the tools share one table,
// so a script or a screen-saver daemon reads a status the same way everywhere.
#ifndef TUMBLIX_EXIT_STATUS_H
#define TUMBLIX_EXIT_STATUS_H

enum ExitStatus {
    EXIT_OK = 0,            // ended normally: closed by input, by its owner or by a signal
    EXIT_CANNOT_START = 1,  // no display, no OpenGL, a window that is gone or does not exist
    EXIT_GAME_FAULT = 1,    // tumblix-sim only: the game state broke a rule, so the run stopped
    EXIT_BAD_USAGE = 2      // a bad command line (the usual convention for usage errors)
};

#endif
