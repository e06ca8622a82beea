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

// `text` cut to fit a one-line message, its control characters shown as '?'.
void Show(const char *text, char *shown, size_t size)
{
    size_t n = 0;
    for (; text[n] != '\0' && n + 1 < size; n++)
        shown[n] = (unsigned char)text[n] < 32 || text[n] == 127 ? '?' : text[n];
    shown[n] = '\0';
}

IdleCommand Bad(char error[IDLE_ERROR_SIZE], const char *what, const char *arg)
{
    char shown[80];
    Show(arg, shown, sizeof shown);
    snprintf(error, IDLE_ERROR_SIZE, "%s: '%s'", what, shown);
    return {IDLE_BAD, 0};
}

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

// The option name of `arg` without its one or two dashes; null for no option.
const char *NameOf(const char *arg)
{
    if (arg[0] != '-')
        return nullptr;
    return arg[1] == '-' ? arg + 2 : arg + 1;
}

}  // namespace

IdleCommand ParseIdleCommand(int argc, const char *const *argv, char error[IDLE_ERROR_SIZE])
{
    IdleCommand command = {IDLE_WATCH, IDLE_DEFAULT_SECONDS};
    error[0] = '\0';
    int next = 1;
    if (argc > 1 && (!strcmp(argv[1], "enable") || !strcmp(argv[1], "disable"))) {
        command.action = !strcmp(argv[1], "enable") ? IDLE_ENABLE : IDLE_DISABLE;
        next = 2;
    }
    for (int i = next; i < argc; i++) {
        const char *name = NameOf(argv[i]);
        if (name == nullptr)
            return Bad(error, "not an option", argv[i]);
        if (argc == 2 && (!strcmp(name, "help") || !strcmp(name, "h")))
            return {IDLE_HELP, 0};
        if (argc == 2 && !strcmp(name, "version"))
            return {IDLE_VERSION, 0};
        if (command.action == IDLE_DISABLE)
            return Bad(error, "disable takes no option", argv[i]);
        const char *value = nullptr;
        if (!strncmp(name, "after=", 6))
            value = name + 6;
        else if (!strcmp(name, "after") && i + 1 < argc)
            value = argv[++i];
        else
            return Bad(error, strcmp(name, "after") ? "unknown option" : "no value after", argv[i]);
        if (!ParseSeconds(value, &command.seconds))
            return Bad(error, "not a number of seconds from 1 to 86400", value);
    }
    return command;
}

const char *IdleUsageText()
{
    return USAGE;
}
