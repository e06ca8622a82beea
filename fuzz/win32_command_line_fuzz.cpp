// Fuzz target: the Windows host's command-line parser on any text.
//
// Besides staying inside the string, the parser must give a result that holds together:
// a refusal carries no handle, a preview always has one, blanks around the line change
// nothing, and every accepted line means the same as its plain spelling "/x [handle]".
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz/fuzz_text.h"
#include "platform/win32/options.h"

static void fail(const char *text, const char *what)
{
    fprintf(stderr, "command-line fuzz: [%s]: %s\n", text, what);
    abort();
}

static bool same(SaverCommand a, SaverCommand b)
{
    return a.mode == b.mode && a.window == b.window;
}

static char letterOf(SaverMode mode)
{
    switch (mode) {
    case SAVER_MODE_FULL_SCREEN:
        return 's';
    case SAVER_MODE_PREVIEW:
        return 'p';
    case SAVER_MODE_PASSWORD:
        return 'a';
    default:
        return 'c';
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static char text[FUZZ_TEXT_MAX + 1];
    static char padded[FUZZ_TEXT_MAX + 8];
    FuzzText(data, size, text);

    SaverCommand command = ParseSaverCommandLine(text);
    if (command.mode < SAVER_MODE_INVALID || command.mode > SAVER_MODE_PASSWORD)
        fail(text, "the mode is outside the enumeration");
    if (command.mode == SAVER_MODE_INVALID && command.window != 0)
        fail(text, "a refused line carries a handle");
    if (command.mode == SAVER_MODE_PREVIEW && command.window == 0)
        fail(text, "a preview without a parent window");

    snprintf(padded, sizeof padded, " \t%s \r\n", text);
    if (!same(ParseSaverCommandLine(padded), command))
        fail(text, "blanks around the line change its meaning");

    if (command.mode != SAVER_MODE_INVALID) {
        char plain[64];
        if (command.window != 0)
            snprintf(plain, sizeof plain, "/%c %" PRIuPTR, letterOf(command.mode), command.window);
        else
            snprintf(plain, sizeof plain, "/%c", letterOf(command.mode));
        if (!same(ParseSaverCommandLine(plain), command))
            fail(text, "the plain spelling of the accepted line means something else");
    }
    return 0;
}
