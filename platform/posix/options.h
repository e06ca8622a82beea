// What the command lines of the POSIX programs read alike: the parse results, the common
// options (no option, --help, --version), how an argument is shown in a message, and the one
// answer to help, version and a bad command line.
//
// Pure functions with no platform in them, so tests and fuzzers call them directly. Options
// follow xscreensaver's habit: "-root" and "--root" mean the same.
#ifndef TUMBLIX_POSIX_OPTIONS_H
#define TUMBLIX_POSIX_OPTIONS_H

#include <stddef.h>

// PARSE_VERSION: --version given as the only argument.
enum ParseResult { PARSE_OK, PARSE_HELP, PARSE_VERSION, PARSE_ERROR };

enum {
    OPTION_ERROR_SIZE = 160,  // bytes for the one-line error text, with its terminator
    ARGUMENT_SHOWN_SIZE = 84  // bytes of an argument shown in a message, with its terminator
};

// A copy of `text` fit to be shown inside a one-line message: cut to fit, with every
// control character (a newline, a terminal escape) shown as '?'.
void ShowArgument(const char *text, char shown[ARGUMENT_SHOWN_SIZE]);

// An option argument as a host's parser reads it.
struct OptionArgument {
    const char *name;                 // without its dashes
    char shown[ARGUMENT_SHOWN_SIZE];  // the whole argument as ShowArgument shows it
};

// What every host's command line reads alike, for argument `arg` of `argc`: an argument
// that is no option (PARSE_ERROR), --help or -h (PARSE_HELP), --version (PARSE_VERSION, or
// PARSE_ERROR with other arguments). PARSE_OK: an option for the caller to read, as `option`.
ParseResult ReadCommonOption(int argc, const char *arg, OptionArgument *option,
                             char error[OPTION_ERROR_SIZE]);

// The option name of `arg` without its one or two leading dashes, or null when `arg` is no
// option (does not start with a dash).
const char *OptionName(const char *arg);

// Called by a program's entry with a parse result other than PARSE_OK: prints the usage text
// or the release number on stdout, or the error and the usage text on stderr, and returns the
// exit status the program ends with.
int AnswerOptions(ParseResult result, const char *usage, const char *error);

// What --version prints: "tumblix" and the release number, one line ending in a newline.
const char *VersionText();

#endif
