// The command-line basics every POSIX program shares; see options.h.
#include "platform/posix/options.h"

#include <stdio.h>
#include <string.h>

#include "platform/policy/exit_status.h"
#include "platform/posix/say.h"

int AnswerOptions(ParseResult result, const char *usage, const char *error)
{
    if (result == PARSE_ERROR) {
        Say("%s\n%s", error, usage);
        return EXIT_BAD_USAGE;
    }
    fputs(result == PARSE_HELP ? usage : VersionText(), stdout);
    return EXIT_OK;
}

const char *VersionText()
{
    return "tumblix " TUMBLIX_VERSION "\n";
}

void ShowArgument(const char *text, char shown[ARGUMENT_SHOWN_SIZE])
{
    size_t n = 0;
    for (; text[n] != '\0' && n + 1 < ARGUMENT_SHOWN_SIZE; ++n) {
        unsigned char c = (unsigned char)text[n];
        shown[n] = (c < 0x20 || c == 0x7F) ? '?' : (char)c;
    }
    shown[n] = '\0';
}

const char *OptionName(const char *arg)
{
    if (arg[0] != '-')
        return nullptr;
    if (arg[1] == '-')
        return arg + 2;
    return arg + 1;
}

ParseResult ReadCommonOption(int argc, const char *arg, OptionArgument *option,
                             char error[OPTION_ERROR_SIZE])
{
    const char *name = OptionName(arg);
    char *shown = option->shown;
    ShowArgument(arg, shown);
    option->name = name;
    if (name == nullptr) {
        snprintf(error, OPTION_ERROR_SIZE, "unexpected argument '%s'", shown);
        return PARSE_ERROR;
    }
    if (strcmp(name, "help") == 0 || strcmp(name, "h") == 0)
        return PARSE_HELP;
    if (strcmp(name, "version") == 0) {
        if (argc == 2)
            return PARSE_VERSION;
        snprintf(error, OPTION_ERROR_SIZE, "option '%s' takes no other arguments", shown);
        return PARSE_ERROR;
    }
    return PARSE_OK;
}

ParseResult ReadOptions(int argc, const char *const *argv, TakeOption take, void *record,
                        char error[OPTION_ERROR_SIZE])
{
    error[0] = '\0';
    for (int next = 1; next < argc;) {
        OptionArgument option;
        ParseResult result = ReadCommonOption(argc, argv[next++], &option, error);
        if (result == PARSE_OK)
            result = take(&option, argc, argv, &next, record, error);
        if (result != PARSE_OK)
            return result;
    }
    return PARSE_OK;
}

bool ChooseMode(ModeChoice *choice, int mode, const OptionArgument *option,
                char error[OPTION_ERROR_SIZE])
{
    if (choice->chosen && choice->mode != mode) {
        snprintf(error, OPTION_ERROR_SIZE, "option '%s' conflicts with an earlier mode",
                 option->shown);
        return false;
    }
    choice->mode = mode;
    choice->chosen = true;
    return true;
}

ParseResult TakeModeOption(const OptionArgument *option, const ModeName *modes, int count,
                           ModeChoice *choice, char error[OPTION_ERROR_SIZE])
{
    for (int m = 0; m < count; ++m)
        if (strcmp(option->name, modes[m].name) == 0)
            return ChooseMode(choice, modes[m].mode, option, error) ? PARSE_OK : PARSE_ERROR;
    snprintf(error, OPTION_ERROR_SIZE, "unknown option '%s'", option->shown);
    return PARSE_ERROR;
}

ParseResult RefuseArgument(const char *format, const char *argument, char error[OPTION_ERROR_SIZE])
{
    char shown[ARGUMENT_SHOWN_SIZE];
    ShowArgument(argument, shown);
    snprintf(error, OPTION_ERROR_SIZE, format, shown);
    return PARSE_ERROR;
}
