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

// What a host's parser does with an option that is not a common one: reads it into `record`
// (the host's own options), taking the argument after it as its value where it has one (by
// moving *next on, while *next < argc), or fills `error` and answers PARSE_ERROR.
typedef ParseResult (*TakeOption)(const OptionArgument *option, int argc, const char *const *argv,
                                  int *next, void *record, char error[OPTION_ERROR_SIZE]);

// Reads argv[1..argc-1] one argument at a time: the common options here, every other option by
// `take`. Stops at the first result other than PARSE_OK, with `error` cleared before.
ParseResult ReadOptions(int argc, const char *const *argv, TakeOption take, void *record,
                        char error[OPTION_ERROR_SIZE]);

// The mode of a command line as its options are read: giving two different modes is an error
// (naming `option`), repeating one is not.
struct ModeChoice {
    int mode;     // the host's mode, its default until one is given
    bool chosen;  // a mode option was given
};
bool ChooseMode(ModeChoice *choice, int mode, const OptionArgument *option,
                char error[OPTION_ERROR_SIZE]);

// A mode option's name and the host's mode it gives.
struct ModeName {
    const char *name;
    int mode;
};

// Reads `option` as one of the `count` modes of `modes` into `choice`: PARSE_ERROR, with
// `error` filled, for an unknown option or a second, different mode.
ParseResult TakeModeOption(const OptionArgument *option, const ModeName *modes, int count,
                           ModeChoice *choice, char error[OPTION_ERROR_SIZE]);

// Fills `error` with `format`, whose one %s is `argument` as ShowArgument shows it, and
// answers PARSE_ERROR: the refusal of a bad value.
ParseResult RefuseArgument(const char *format, const char *argument, char error[OPTION_ERROR_SIZE]);

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
