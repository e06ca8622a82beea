// Command line of the X11 host: its four ways to run, window ids, and the usage text. The
// option style, the parse results and --version are every POSIX program's
// (platform/posix/options.h), so the one `tumblix` command reads the same in every session.
//
// Pure functions with no X11 in them, so tests and fuzzers call them directly.
#ifndef TUMBLIX_X11_OPTIONS_H
#define TUMBLIX_X11_OPTIONS_H

#include "platform/posix/options.h"

enum X11Mode {
    X11_WINDOW,      // a normal window titled "Tumblix"; the window manager closes it
    X11_FULLSCREEN,  // the screen-saver mode: whole screen, top-most, closes on input
    X11_ROOT,        // draw into $XSCREENSAVER_WINDOW or the root window; never closes on input
    X11_WINDOW_ID    // draw into the window given by --window-id; never closes on input
};

struct X11Options {
    X11Mode mode;
    unsigned long windowId;  // X11_WINDOW_ID only
};

// Reads argv[1..argc-1]. On PARSE_ERROR, `error` holds one line (no newline) naming the
// offending argument as ShowArgument shows it. Giving two different modes is an error, except
// --window-id with --root, where the window id wins; repeating a mode is not. `options` is
// filled only on PARSE_OK.
ParseResult ParseX11Options(int argc, const char *const *argv, X11Options *options,
                            char error[OPTION_ERROR_SIZE]);

// An X window id: "0x" or "0X" and 1 or more hex digits, or decimal digits; nothing else
// (no sign, blanks or trailing text). Zero is not a window, and ids above 32 bits cannot
// exist. Returns false for anything else and leaves *id untouched.
bool ParseWindowId(const char *text, unsigned long *id);

enum RootTarget { ROOT_TARGET_ROOT, ROOT_TARGET_WINDOW, ROOT_TARGET_BAD };

// Where --root draws, given the value of $XSCREENSAVER_WINDOW (null when unset): an unset or
// empty value means the root window; a valid id means that window (*id set).
RootTarget ChooseRootTarget(const char *environmentValue, unsigned long *id);

// The usage text, several lines ending in a newline.
const char *X11UsageText();

#endif
