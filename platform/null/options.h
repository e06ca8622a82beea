// Command line of the null host: a window or the full-screen saver, and how many frames it
// runs. Pure functions, as every host's command line.
//   tumblix-null [--window | --fullscreen] [--frames N]
#ifndef TUMBLIX_NULL_OPTIONS_H
#define TUMBLIX_NULL_OPTIONS_H

#include "platform/posix/options.h"

enum NullMode {
    NULL_WINDOW,     // closed by its owner after the last frame
    NULL_FULLSCREEN  // the full-screen saver: closed by the scripted key at the last frame
};

struct NullOptions {
    NullMode mode;
    unsigned long frames;  // frames drawn before the window closes, at least 1
};

// Reads argv[1..argc-1]; `options` is set only on PARSE_OK, `error` only on PARSE_ERROR.
ParseResult ParseNullOptions(int argc, const char *const *argv, NullOptions *options,
                             char error[OPTION_ERROR_SIZE]);

// The usage text, several lines ending in a newline.
const char *NullUsageText();

#endif
