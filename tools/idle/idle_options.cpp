// Parsing tumblix-idle's command line.
#include "tools/idle/idle_options.h"

#include <stdio.h>
#include <string.h>

namespace
{

const char USAGE[] =
    "usage: tumblix-idle [--after SECONDS] | enable [--after SECONDS] | disable | --help | "
    "--version\n"
    "  (none)     watch this session; start `tumblix --fullscreen` once it has been idle\n"
    "             SECONDS (1 to 86400, default 600), and end it on activity\n"
    "  enable     start the watcher at every login (an XDG autostart entry) and now\n"
    "  disable    remove that entry and end the running watcher\n";

bool ParseSeconds(const char *text, unsigned *seconds)
{
    unsigned long value = 0;
    if (text[0] == '\0' || strlen(text) > 6)
        return false;
    for (const char *c = text; *c != '\0'; c++) {
        if (*c < '0' || *c > '9')
            return false;
        value = value * 10 + (unsigned long)(*c - '0');
    }
    if (value < 1 || value > IDLE_MAX_SECONDS)
        return false;
    *seconds = (unsigned)value;
    return true;
}

ParseResult TakeAfter(const OptionArgument *option, int argc, const char *const *argv, int *next,
                      void *record, char error[OPTION_ERROR_SIZE])
{
    IdleCommand *command = (IdleCommand *)record;
    bool joined = strncmp(option->name, "after=", 6) == 0;
    if (command->action == IDLE_DISABLE || (!joined && strcmp(option->name, "after") != 0))
        return RefuseArgument(command->action == IDLE_DISABLE ? "disable takes no option: '%s'"
                                                              : "unknown option '%s'",
                              option->shown, error);
    const char *value = joined ? option->name + 6 : (*next < argc ? argv[(*next)++] : nullptr);
    if (value == nullptr)
        return RefuseArgument("option '%s' needs a number of seconds", option->shown, error);
    if (!ParseSeconds(value, &command->seconds))
        return RefuseArgument("'%s' is not a number of seconds from 1 to 86400", value, error);
    return PARSE_OK;
}

}  // namespace

ParseResult ParseIdleCommand(int argc, const char *const *argv, IdleCommand *command,
                             char error[OPTION_ERROR_SIZE])
{
    IdleCommand reading = {IDLE_WATCH, IDLE_DEFAULT_SECONDS};
    // A subcommand first: the options after it are read as a command line of their own.
    if (argc > 1 && (!strcmp(argv[1], "enable") || !strcmp(argv[1], "disable"))) {
        reading.action = !strcmp(argv[1], "enable") ? IDLE_ENABLE : IDLE_DISABLE;
        argc--;
        argv++;
    }
    ParseResult result = ReadOptions(argc, argv, TakeAfter, &reading, error);
    if (result == PARSE_OK)
        *command = reading;
    return result;
}

const char *IdleUsageText()
{
    return USAGE;
}
