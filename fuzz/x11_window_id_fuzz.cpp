// Fuzz target: the Linux host's window-id parser against a reference made from strtoul.
//
// An id is "0x"/"0X" and hex digits, or decimal digits, nothing else, worth 1 to 2^32 - 1;
// a refusal leaves the output alone, and an accepted id reads back from both spellings.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz/fuzz_text.h"
#include "platform/x11/options.h"

static const unsigned long UNTOUCHED = 0xDEADBEEFCAFEul;  // no valid id has this value
static const unsigned long LARGEST_ID = 0xFFFFFFFFul;

static void fail(const char *text, const char *what)
{
    fprintf(stderr, "window-id fuzz: [%s]: %s\n", text, what);
    abort();
}

static bool allOf(const char *p, const char *set)
{
    return *p != '\0' && strspn(p, set) == strlen(p);
}

// What the parser should answer, worked out independently.
static bool referenceId(const char *text, unsigned long *id)
{
    bool hex = (text[0] == '0' && (text[1] == 'x' || text[1] == 'X'));
    const char *digits = hex ? text + 2 : text;
    if (!allOf(digits, hex ? "0123456789abcdefABCDEF" : "0123456789"))
        return false;
    errno = 0;
    unsigned long long value = strtoull(digits, nullptr, hex ? 16 : 10);
    if (errno == ERANGE || value == 0 || value > LARGEST_ID)
        return false;
    *id = (unsigned long)value;
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static char text[FUZZ_TEXT_MAX + 1];
    FuzzText(data, size, text);

    unsigned long id = UNTOUCHED, expected = 0;
    bool accepted = ParseWindowId(text, &id);
    bool wanted = referenceId(text, &expected);
    if (accepted != wanted)
        fail(text, accepted ? "accepted, but it is no window id" : "refused a valid window id");
    if (!accepted && id != UNTOUCHED)
        fail(text, "a refusal changed the output");
    if (accepted && id != expected)
        fail(text, "the value differs from the reference");

    if (accepted) {
        char spelling[32];
        unsigned long again = 0;
        snprintf(spelling, sizeof spelling, "%lu", id);
        if (!ParseWindowId(spelling, &again) || again != id)
            fail(text, "the decimal spelling does not read back");
        snprintf(spelling, sizeof spelling, "0x%lx", id);
        if (!ParseWindowId(spelling, &again) || again != id)
            fail(text, "the hex spelling does not read back");
    }

    // $XSCREENSAVER_WINDOW follows the same rule; unset and empty mean the root window.
    unsigned long target = UNTOUCHED;
    RootTarget where = ChooseRootTarget(text, &target);
    RootTarget expectedWhere = text[0] == '\0' ? ROOT_TARGET_ROOT
                               : accepted      ? ROOT_TARGET_WINDOW
                                               : ROOT_TARGET_BAD;
    if (where != expectedWhere || (where == ROOT_TARGET_WINDOW && target != id))
        fail(text, "the root target disagrees with the window-id rule");
    return 0;
}
