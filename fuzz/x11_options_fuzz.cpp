// Fuzz target: the Linux host's option parser on any argument vector.
//
// Input: the arguments after "tumblix", separated by zero bytes. The result must hold
// together: a refusal explains itself in one terminated line and leaves the options alone,
// an accepted window id is a real one, and giving an accepted mode again changes nothing.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz/fuzz_text.h"
#include "platform/x11/options.h"

static void fail(const char *const *argv, int argc, const char *what)
{
    fprintf(stderr, "options fuzz: %s; arguments:", what);
    for (int i = 1; i < argc; i++)
        fprintf(stderr, " [%s]", argv[i]);
    fprintf(stderr, "\n");
    abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static char storage[FUZZ_TEXT_MAX + 1];
    const char *argv[FUZZ_ARGS_MAX + 2];
    int argc = FuzzArguments(data, size, storage, argv);

    const X11Options untouched = {X11_ROOT, 0xDEADBEEFul};
    X11Options options = untouched;
    char error[OPTION_ERROR_SIZE];
    memset(error, 'x', sizeof error);
    ParseResult result = ParseX11Options(argc, argv, &options, error);

    if (result != PARSE_OK && result != PARSE_HELP && result != PARSE_VERSION &&
        result != PARSE_ERROR)
        fail(argv, argc, "the result is outside the enumeration");
    if (result != PARSE_OK &&
        (options.mode != untouched.mode || options.windowId != untouched.windowId))
        fail(argv, argc, "options changed although the line was not accepted");
    if (result == PARSE_ERROR) {
        const char *end = (const char *)memchr(error, '\0', sizeof error);
        if (end == nullptr)
            fail(argv, argc, "the error text is not terminated");
        if (end == error)
            fail(argv, argc, "an error without a text");
        if (memchr(error, '\n', (size_t)(end - error)) != nullptr)
            fail(argv, argc, "the error text is more than one line");
    }
    if (result != PARSE_OK)
        return 0;

    if (options.mode < X11_WINDOW || options.mode > X11_WINDOW_ID)
        fail(argv, argc, "the mode is outside the enumeration");
    if (options.mode == X11_WINDOW_ID && (options.windowId == 0 || options.windowId > 0xFFFFFFFFul))
        fail(argv, argc, "an accepted window id that no window can have");

    // Saying the accepted mode once more, in its plain spelling, must mean the same.
    static const char *const names[] = {"--window", "--fullscreen", "--root", "--window-id"};
    char idText[32];
    snprintf(idText, sizeof idText, "%lu", options.windowId);
    const char *again[FUZZ_ARGS_MAX + 4];
    int n = 0;
    for (; n < argc; n++)
        again[n] = argv[n];
    again[n++] = names[options.mode];
    if (options.mode == X11_WINDOW_ID)
        again[n++] = idText;
    again[n] = nullptr;
    X11Options repeated = untouched;
    if (ParseX11Options(n, again, &repeated, error) != PARSE_OK || repeated.mode != options.mode ||
        (options.mode == X11_WINDOW_ID && repeated.windowId != options.windowId))
        fail(argv, argc, "repeating the accepted mode changed the outcome");
    return 0;
}
