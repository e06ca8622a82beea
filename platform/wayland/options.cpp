// Command-line parsing of the Wayland host; see options.h for the rules.
#include "platform/wayland/options.h"

#include <stdio.h>
#include <string.h>

static const char USAGE[] =
    "usage: tumblix [--window | --fullscreen | --background] [--help | --version]\n"
    "  --window        play in a normal window (the default)\n"
    "  --fullscreen    screen-saver mode: cover every output; a key, a button, a touch or\n"
    "                  moving the mouse ends it\n"
    "  --background    draw under the windows of every output, ignoring input (for a\n"
    "                  locker such as swaylock-plugin)\n"
    "  --help          show this text\n"
    "  --version       show the release number\n"
    "Every option may also be written with a single dash. --root and --window-id run on\n"
    "X11. SIGTERM, SIGINT or SIGHUP end the program.\n";

const char *WaylandUsageText()
{
    return USAGE;
}

static const struct {
    const char *name;
    WaylandMode mode;
} MODES[] = {{"window", WAYLAND_WINDOW},
             {"fullscreen", WAYLAND_FULLSCREEN},
             {"background", WAYLAND_BACKGROUND}};

ParseResult ParseWaylandOptions(int argc, const char *const *argv, WaylandMode *mode,
                                char error[OPTION_ERROR_SIZE])
{
    WaylandMode chosen = WAYLAND_WINDOW;
    bool haveMode = false;
    error[0] = '\0';
    for (int i = 1; i < argc; ++i) {
        OptionArgument option;
        ParseResult common = ReadCommonOption(argc, argv[i], &option, error);
        if (common != PARSE_OK)
            return common;
        int found = -1;
        for (int m = 0; m < (int)(sizeof MODES / sizeof MODES[0]); ++m)
            if (strcmp(option.name, MODES[m].name) == 0)
                found = m;
        if (found < 0) {
            snprintf(error, OPTION_ERROR_SIZE, "unknown option '%s'", option.shown);
            return PARSE_ERROR;
        }
        if (haveMode && chosen != MODES[found].mode) {
            snprintf(error, OPTION_ERROR_SIZE, "option '%s' conflicts with an earlier mode",
                     option.shown);
            return PARSE_ERROR;
        }
        haveMode = true;
        chosen = MODES[found].mode;
    }
    *mode = chosen;
    return PARSE_OK;
}
