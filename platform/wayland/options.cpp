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

static const ModeName MODES[] = {{"window", WAYLAND_WINDOW},
                                 {"fullscreen", WAYLAND_FULLSCREEN},
                                 {"background", WAYLAND_BACKGROUND}};

static ParseResult TakeMode(const OptionArgument *option, int, const char *const *, int *,
                            void *record, char error[OPTION_ERROR_SIZE])
{
    return TakeModeOption(option, MODES, 3, (ModeChoice *)record, error);
}

ParseResult ParseWaylandOptions(int argc, const char *const *argv, WaylandMode *mode,
                                char error[OPTION_ERROR_SIZE])
{
    ModeChoice choice = {WAYLAND_WINDOW, false};
    ParseResult result = ReadOptions(argc, argv, TakeMode, &choice, error);
    if (result == PARSE_OK)
        *mode = (WaylandMode)choice.mode;
    return result;
}
