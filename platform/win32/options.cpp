// Reads the screen-saver command line into a plain record (see options.h for the forms).
#include "platform/win32/options.h"

static bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

static const char *SkipBlanks(const char *p)
{
    while (IsBlank(*p))
        ++p;
    return p;
}

// Reads a decimal handle at *cursor and advances past it. False when there are no digits
// or the value does not fit a pointer; a number glued to other text is left for the
// caller's end-of-line check to refuse.
static bool ReadHandle(const char **cursor, uintptr_t *value)
{
    const char *p = *cursor;
    uintptr_t result = 0;
    if (*p < '0' || *p > '9')
        return false;
    for (; *p >= '0' && *p <= '9'; ++p) {
        uintptr_t digit = (uintptr_t)(*p - '0');
        if (result > (UINTPTR_MAX - digit) / 10)
            return false;
        result = result * 10 + digit;
    }
    *cursor = p;
    *value = result;
    return true;
}

static SaverMode ModeOfLetter(char letter)
{
    switch (letter) {
    case 's':
    case 'S':
        return SAVER_MODE_FULL_SCREEN;
    case 'p':
    case 'P':
        return SAVER_MODE_PREVIEW;
    case 'c':
    case 'C':
        return SAVER_MODE_CONFIGURE;
    case 'a':
    case 'A':
        return SAVER_MODE_PASSWORD;
    default:
        return SAVER_MODE_INVALID;
    }
}

SaverCommand ParseSaverCommandLine(const char *text)
{
    const SaverCommand invalid = {SAVER_MODE_INVALID, 0};
    SaverCommand command = {SAVER_MODE_CONFIGURE, 0};

    const char *p = SkipBlanks(text);
    if (*p == '\0')
        return command;
    if (*p != '/' && *p != '-')
        return invalid;
    ++p;
    command.mode = ModeOfLetter(*p);
    if (command.mode == SAVER_MODE_INVALID)
        return invalid;
    ++p;

    // The letter stands alone: "/save" or "/p123" are not switches this host knows.
    if (*p == ':')
        ++p;
    else if (*p != '\0' && !IsBlank(*p))
        return invalid;
    p = SkipBlanks(p);

    bool hasHandle = false;
    if (*p != '\0') {
        if (!ReadHandle(&p, &command.window))
            return invalid;
        hasHandle = true;
    }
    if (*SkipBlanks(p) != '\0')
        return invalid;

    // A preview needs a window to live in; 0 is never one.
    if (command.mode == SAVER_MODE_PREVIEW && (!hasHandle || command.window == 0))
        return invalid;
    return command;
}
