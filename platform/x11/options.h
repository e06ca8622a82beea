// Command line of the Linux host: the four ways to run, window ids, and the usage text.
//
// Pure functions with no X11 in them, so tests and fuzzers call them directly. Options
// follow xscreensaver's habit: "-root" and "--root" mean the same.
#ifndef TUMBLIX_X11_OPTIONS_H
#define TUMBLIX_X11_OPTIONS_H

#include <stddef.h>

enum HostMode {
    MODE_WINDOW,      // a normal window titled "Tumblix"; the window manager closes it
    MODE_FULLSCREEN,  // the screen-saver mode: whole screen, top-most, closes on input
    MODE_ROOT,        // draw into $XSCREENSAVER_WINDOW or the root window; never closes on input
    MODE_WINDOW_ID    // draw into the window given by --window-id; never closes on input
};

struct HostOptions {
    HostMode mode;
    unsigned long windowId;  // MODE_WINDOW_ID only
};

// PARSE_VERSION: --version given as the only argument.
enum ParseResult { PARSE_OK, PARSE_HELP, PARSE_VERSION, PARSE_ERROR };

enum { OPTION_ERROR_SIZE = 160 };  // bytes for the one-line error text, with its terminator

// Reads argv[1..argc-1]. On PARSE_ERROR, `error` holds one line (no newline) naming the
// offending argument as ShowArgument shows it. Giving two different modes is an error, except
// --window-id with --root, where the window id wins; repeating a mode is not. `options` is filled only on PARSE_OK.
ParseResult ParseOptions(int argc, const char *const *argv, HostOptions *options,
                         char error[OPTION_ERROR_SIZE]);

// An X window id: "0x" or "0X" and 1 or more hex digits, or decimal digits; nothing else
// (no sign, blanks or trailing text). Zero is not a window, and ids above 32 bits cannot
// exist. Returns false for anything else and leaves *id untouched.
bool ParseWindowId(const char *text, unsigned long *id);

enum RootTarget { ROOT_TARGET_ROOT, ROOT_TARGET_WINDOW, ROOT_TARGET_BAD };

// Where --root draws, given the value of $XSCREENSAVER_WINDOW (null when unset): an unset or
// empty value means the root window; a valid id means that window (*id set).
RootTarget ChooseRootTarget(const char *environmentValue, unsigned long *id);

enum { ARGUMENT_SHOWN_SIZE = 84 };  // bytes of an argument shown in a message, with its terminator

// A copy of `text` fit to be shown inside a one-line message: cut to fit, with every
// control character (a newline, a terminal escape) shown as '?'.
void ShowArgument(const char *text, char shown[ARGUMENT_SHOWN_SIZE]);

// What every host's command line reads alike, for argument `arg` of `argc`: an argument
// that is no option (PARSE_ERROR), --help or -h (PARSE_HELP), --version (PARSE_VERSION, or
// PARSE_ERROR with other arguments). PARSE_OK: an option for the caller to read.
ParseResult ReadCommonOption(int argc, const char *arg, char error[OPTION_ERROR_SIZE]);

// The option name of `arg` without its one or two leading dashes, or null when `arg` is no
// option (does not start with a dash).
const char *OptionName(const char *arg);

// The usage text, several lines ending in a newline.
const char *UsageText();

// Called by a program's entry with a parse result other than PARSE_OK: prints the usage text
// or the release number on stdout, or the error and the usage text on stderr, and returns the
// exit status the program ends with.
int AnswerOptions(ParseResult result, const char *usage, const char *error);

// What --version prints: "tumblix" and the release number, one line ending in a newline.
const char *VersionText();

#endif
