// Command line of the null host: a window or the full-screen saver, and how many frames it
// runs (see host.h).
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "platform/null/host.h"

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

struct NullReading {
    ModeChoice choice;
    unsigned long frames;
};

static ParseResult TakeNullOption(const OptionArgument *option, int argc, const char *const *argv,
                                  int *next, void *record, char error[OPTION_ERROR_SIZE])
{
    static const ModeName MODES[] = {{"window", NULL_WINDOW}, {"fullscreen", NULL_FULLSCREEN}};
    NullReading *reading = (NullReading *)record;
    if (strcmp(option->name, "frames") != 0)
        return TakeModeOption(option, MODES, 2, &reading->choice, error);
    const char *value = *next < argc ? argv[(*next)++] : "";
    char *end = nullptr;
    long frames = strtol(value, &end, 10);
    if (*value == '\0' || *end != '\0' || frames < 1 || frames > MOST_FRAMES)
        return RefuseArgument("'%s' is not a number of frames", value, error);
    reading->frames = (unsigned long)frames;
    return PARSE_OK;
}

ParseResult ParseNullOptions(int argc, const char *const *argv, NullOptions *options,
                             char error[OPTION_ERROR_SIZE])
{
    NullReading reading = {{NULL_WINDOW, false}, DEFAULT_FRAMES};
    ParseResult result = ReadOptions(argc, argv, TakeNullOption, &reading, error);
    if (result == PARSE_OK)
        *options = NullOptions{(NullMode)reading.choice.mode, reading.frames};
    return result;
}
