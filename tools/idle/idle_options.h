// Command line of tumblix-idle: watch (the default), enable, disable, and the idle time.
//
// A plain function over the POSIX programs' option walk (platform/posix/options.h), with no
// system calls, so the tests call it directly.
#ifndef TUMBLIX_IDLE_OPTIONS_H
#define TUMBLIX_IDLE_OPTIONS_H

#include "platform/posix/options.h"

// How long the session must be idle before the saver starts, in seconds, by default (as long
// as xscreensaver waits), and the longest allowed (a day).
enum { IDLE_DEFAULT_SECONDS = 600, IDLE_MAX_SECONDS = 86400 };

enum IdleAction {
    IDLE_WATCH,   // watch the session and start the saver on idle
    IDLE_ENABLE,  // write the autostart entry and start the watcher now
    IDLE_DISABLE  // remove the entry and end the running watcher
};

struct IdleCommand {
    IdleAction action;
    unsigned seconds;  // IDLE_WATCH and IDLE_ENABLE: the idle time before the saver starts
};

// Reads argv[1..argc-1]: [enable | disable] [--after SECONDS] (also --after=SECONDS, one or
// two dashes), --help, --version. SECONDS is 1 to IDLE_MAX_SECONDS in decimal digits; disable
// takes no option. On PARSE_ERROR `error` holds one line naming the argument; `command` is
// filled on PARSE_OK only.
ParseResult ParseIdleCommand(int argc, const char *const *argv, IdleCommand *command,
                             char error[OPTION_ERROR_SIZE]);

// The usage text, several lines ending in a newline.
const char *IdleUsageText();

#endif
