// Command line of tumblix-idle: watch (the default), enable, disable, and the idle time.
//
// A plain function with no system calls, so the tests call it directly.
#ifndef TUMBLIX_IDLE_OPTIONS_H
#define TUMBLIX_IDLE_OPTIONS_H

// How long the session must be idle before the saver starts, in seconds, by default (as long
// as xscreensaver waits), and the longest allowed (a day).
enum { IDLE_DEFAULT_SECONDS = 600, IDLE_MAX_SECONDS = 86400 };

enum IdleAction {
    IDLE_WATCH,    // watch the session and start the saver on idle
    IDLE_ENABLE,   // write the autostart entry and start the watcher now
    IDLE_DISABLE,  // remove the entry and end the running watcher
    IDLE_HELP,
    IDLE_VERSION,
    IDLE_BAD  // a bad command line: `error` says what
};

struct IdleCommand {
    IdleAction action;
    unsigned seconds;  // IDLE_WATCH and IDLE_ENABLE: the idle time before the saver starts
};

enum { IDLE_ERROR_SIZE = 160 };  // bytes of the one-line error, with its terminator

// Reads argv[1..argc-1]: [enable | disable] [--after SECONDS] (also --after=SECONDS, one or
// two dashes), --help, --version. SECONDS is 1 to IDLE_MAX_SECONDS in decimal digits; disable
// takes no option. On IDLE_BAD, `error` holds one line naming the argument, its control
// characters shown as '?'.
IdleCommand ParseIdleCommand(int argc, const char *const *argv, char error[IDLE_ERROR_SIZE]);

// The usage text, several lines ending in a newline.
const char *IdleUsageText();

#endif
