// Command-line parsing of the null host; see options.h.
#include "platform/null/options.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { DEFAULT_FRAMES = 300, MOST_FRAMES = 100000000 };  // frames a run draws

static const char USAGE[] =
    "usage: tumblix-null [--window | --fullscreen] [--frames N]\n"
    "  --window      closed by its owner after the last frame (default)\n"
    "  --fullscreen  the saver: a scripted key at the last frame closes it\n"
    "  --frames N    frames to draw, 1 to 100000000 (default 300)\n";

const char *NullUsageText()
{
    return USAGE;
}

ParseResult ParseNullOptions(int argc, const char *const *argv, NullOptions *options,
                             char error[OPTION_ERROR_SIZE])
{
    NullOptions result = {NULL_WINDOW, DEFAULT_FRAMES};
    for (int i = 1; i < argc; ++i) {
        OptionArgument option;
        ParseResult common = ReadCommonOption(argc, argv[i], &option, error);
        if (common != PARSE_OK)
            return common;
        const char *name = option.name;
        if (strcmp(name, "window") == 0 || strcmp(name, "fullscreen") == 0) {
            result.mode = name[0] == 'w' ? NULL_WINDOW : NULL_FULLSCREEN;
        } else if (strcmp(name, "frames") == 0) {
            const char *value = i + 1 < argc ? argv[++i] : "";
            char *end = nullptr;
            long frames = strtol(value, &end, 10);
            if (*value == '\0' || *end != '\0' || frames < 1 || frames > MOST_FRAMES) {
                ShowArgument(value, option.shown);
                snprintf(error, OPTION_ERROR_SIZE, "'%s' is not a number of frames", option.shown);
                return PARSE_ERROR;
            }
            result.frames = (unsigned long)frames;
        } else {
            snprintf(error, OPTION_ERROR_SIZE, "unknown option '%s'", option.shown);
            return PARSE_ERROR;
        }
    }
    *options = result;
    return PARSE_OK;
}
