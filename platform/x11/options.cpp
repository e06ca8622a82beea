// Command-line parsing of the X11 host; see options.h for the rules.
#include "platform/x11/options.h"

#include <stdio.h>
#include <string.h>

static const unsigned long LARGEST_WINDOW_ID = 0xFFFFFFFFul;  // X ids are 32-bit

static const char USAGE[] =
    "usage: tumblix [--window | --fullscreen | --root | --window-id ID] [--help | --version]\n"
    "  --window        play in a normal window (the default)\n"
    "  --fullscreen    screen-saver mode: cover the screen; a key, a button or moving\n"
    "                  the mouse ends it\n"
    "  --root          draw into $XSCREENSAVER_WINDOW, or else the root window\n"
    "  --window-id ID  draw into the window ID (hex 0x... or decimal)\n"
    "  --help          show this text\n"
    "  --version       show the release number\n"
    "Every option may also be written with a single dash. --window-id given with --root\n"
    "wins over it; other modes do not mix. With --root and --window-id input is ignored;\n"
    "SIGTERM, SIGINT or SIGHUP end the program, as does the window going away.\n";

const char *X11UsageText()
{
    return USAGE;
}

// The value of digit `c` in `base` (10 or 16), or -1 when it is none.
static int DigitValue(char c, unsigned long base)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool ParseWindowId(const char *text, unsigned long *id)
{
    if (text == nullptr)
        return false;
    bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char *digits = hex ? text + 2 : text;
    unsigned long base = hex ? 16 : 10, value = 0;
    if (*digits == '\0')
        return false;
    for (const char *p = digits; *p != '\0'; ++p) {
        int digit = DigitValue(*p, base);
        if (digit < 0 || value > (LARGEST_WINDOW_ID - (unsigned long)digit) / base)
            return false;
        value = value * base + (unsigned long)digit;
    }
    if (value == 0)
        return false;
    *id = value;
    return true;
}

RootTarget ChooseRootTarget(const char *environmentValue, unsigned long *id)
{
    if (environmentValue == nullptr || environmentValue[0] == '\0')
        return ROOT_TARGET_ROOT;
    return ParseWindowId(environmentValue, id) ? ROOT_TARGET_WINDOW : ROOT_TARGET_BAD;
}

// The options as they are read.
struct X11Reading {
    ModeChoice choice;
    unsigned long windowId;
};

static const ModeName MODES[] = {
    {"window", X11_WINDOW}, {"fullscreen", X11_FULLSCREEN}, {"root", X11_ROOT}};

// --window-id ID or --window-id=ID. xscreensaver's settings program starts a preview as
// `--root --window-id ID`: there the window id wins, in either order.
static ParseResult TakeWindowId(const OptionArgument *option, int argc, const char *const *argv,
                                int *next, X11Reading *reading, char error[OPTION_ERROR_SIZE])
{
    const char *name = option->name;
    const char *value = name[9] == '=' ? name + 10 : (*next < argc ? argv[(*next)++] : nullptr);
    if (value == nullptr) {
        snprintf(error, OPTION_ERROR_SIZE, "option '%s' needs a window id", option->shown);
        return PARSE_ERROR;
    }
    unsigned long id = 0;
    if (!ParseWindowId(value, &id))
        return RefuseArgument("'%s' is not a window id", value, error);
    ModeChoice *choice = &reading->choice;
    if (choice->mode == X11_WINDOW_ID && reading->windowId != id) {
        snprintf(error, OPTION_ERROR_SIZE, "two different window ids given");
        return PARSE_ERROR;
    }
    reading->windowId = id;
    if (choice->mode == X11_ROOT)
        choice->mode = X11_WINDOW_ID;
    return ChooseMode(choice, X11_WINDOW_ID, option, error) ? PARSE_OK : PARSE_ERROR;
}

static ParseResult TakeX11Option(const OptionArgument *option, int argc, const char *const *argv,
                                 int *next, void *record, char error[OPTION_ERROR_SIZE])
{
    X11Reading *reading = (X11Reading *)record;
    if (strcmp(option->name, "window-id") == 0 || strncmp(option->name, "window-id=", 10) == 0)
        return TakeWindowId(option, argc, argv, next, reading, error);
    if (strcmp(option->name, "root") == 0 && reading->choice.mode == X11_WINDOW_ID)
        return PARSE_OK;
    return TakeModeOption(option, MODES, 3, &reading->choice, error);
}

ParseResult ParseX11Options(int argc, const char *const *argv, X11Options *options,
                            char error[OPTION_ERROR_SIZE])
{
    X11Reading reading = {{X11_WINDOW, false}, 0};
    ParseResult result = ReadOptions(argc, argv, TakeX11Option, &reading, error);
    if (result == PARSE_OK)
        *options = X11Options{(X11Mode)reading.choice.mode, reading.windowId};
    return result;
}
