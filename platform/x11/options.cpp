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

static bool RootAndWindowId(X11Mode a, X11Mode b)
{
    return (a == X11_ROOT && b == X11_WINDOW_ID) || (a == X11_WINDOW_ID && b == X11_ROOT);
}

// Records `mode`, refusing a second, different one. xscreensaver's settings program starts a
// preview as `--root --window-id ID`: there the window id wins, in either order.
static bool SetMode(X11Mode mode, bool *haveMode, X11Options *result, const char *arg,
                    char error[OPTION_ERROR_SIZE])
{
    if (*haveMode && RootAndWindowId(result->mode, mode)) {
        result->mode = X11_WINDOW_ID;
        return true;
    }
    if (*haveMode && result->mode != mode) {
        char shown[ARGUMENT_SHOWN_SIZE];
        ShowArgument(arg, shown);
        snprintf(error, OPTION_ERROR_SIZE, "option '%s' conflicts with an earlier mode", shown);
        return false;
    }
    *haveMode = true;
    result->mode = mode;
    return true;
}

ParseResult ParseX11Options(int argc, const char *const *argv, X11Options *options,
                            char error[OPTION_ERROR_SIZE])
{
    X11Options result = {X11_WINDOW, 0};
    bool haveMode = false;
    error[0] = '\0';
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        OptionArgument option;
        ParseResult common = ReadCommonOption(argc, arg, &option, error);
        if (common != PARSE_OK)
            return common;
        const char *name = option.name;
        char *shown = option.shown;
        bool ok = true;
        if (strcmp(name, "window") == 0) {
            ok = SetMode(X11_WINDOW, &haveMode, &result, arg, error);
        } else if (strcmp(name, "fullscreen") == 0) {
            ok = SetMode(X11_FULLSCREEN, &haveMode, &result, arg, error);
        } else if (strcmp(name, "root") == 0) {
            ok = SetMode(X11_ROOT, &haveMode, &result, arg, error);
        } else if (strcmp(name, "window-id") == 0 || strncmp(name, "window-id=", 10) == 0) {
            const char *value = name[9] == '=' ? name + 10 : (i + 1 < argc ? argv[++i] : nullptr);
            if (value == nullptr) {
                snprintf(error, OPTION_ERROR_SIZE, "option '%s' needs a window id", shown);
                return PARSE_ERROR;
            }
            unsigned long id = 0;
            if (!ParseWindowId(value, &id)) {
                ShowArgument(value, shown);
                snprintf(error, OPTION_ERROR_SIZE, "'%s' is not a window id", shown);
                return PARSE_ERROR;
            }
            if (haveMode && result.mode == X11_WINDOW_ID && result.windowId != id) {
                snprintf(error, OPTION_ERROR_SIZE, "two different window ids given");
                return PARSE_ERROR;
            }
            ok = SetMode(X11_WINDOW_ID, &haveMode, &result, arg, error);
            result.windowId = id;
        } else {
            snprintf(error, OPTION_ERROR_SIZE, "unknown option '%s'", shown);
            return PARSE_ERROR;
        }
        if (!ok)
            return PARSE_ERROR;
    }
    *options = result;
    return PARSE_OK;
}
