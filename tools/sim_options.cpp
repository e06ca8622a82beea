// Parsing of tumblix-sim's command line into a SimOptions record.
#include "tools/sim_options.h"

#include <climits>
#include <cstdio>
#include <cstring>

const char SIM_USAGE[] =
    "usage: tumblix-sim [--seed N] [--pieces N | --ticks N] [--quiet] [--help | --version]";

// Reads a whole decimal number: digits only (no sign, no spaces, no suffix), at most max.
static bool ParseCount(const char *text, unsigned long long max, unsigned long long *value)
{
    if (*text == '\0')
        return false;
    unsigned long long v = 0;
    for (const char *p = text; *p != '\0'; p++) {
        if (*p < '0' || *p > '9')
            return false;
        unsigned digit = static_cast<unsigned>(*p - '0');
        if (v > (max - digit) / 10)
            return false;
        v = v * 10 + digit;
    }
    *value = v;
    return true;
}

static int Refuse(char *error, size_t errorSize, const char *reason, const char *argument)
{
    if (errorSize > 0)
        snprintf(error, errorSize, "%s: %s", argument, reason);
    return SIM_OPTIONS_BAD;
}

int ParseSimOptions(int argc, const char *const argv[], SimOptions *options, char *error,
                    size_t errorSize)
{
    SimOptions o = {};
    o.limit = SIM_LIMIT_PIECES;
    o.count = SIM_DEFAULT_PIECES;
    bool countGiven = false;
    if (errorSize > 0)
        error[0] = '\0';

    for (int i = 1; i < argc; i++) {
        const char *arg = argv[i];
        if (strcmp(arg, "--quiet") == 0) {
            o.quiet = true;
            continue;
        }
        if (strcmp(arg, "--help") == 0) {
            o.help = true;
            continue;
        }
        if (strcmp(arg, "--version") == 0) {
            if (argc != 2)
                return Refuse(error, errorSize, "takes no other arguments", arg);
            o.version = true;
            continue;
        }
        bool isSeed = strcmp(arg, "--seed") == 0;
        bool isPieces = strcmp(arg, "--pieces") == 0;
        bool isTicks = strcmp(arg, "--ticks") == 0;
        if (!isSeed && !isPieces && !isTicks)
            return Refuse(error, errorSize, "unknown option", arg);
        if (i + 1 >= argc)
            return Refuse(error, errorSize, "needs a value", arg);
        const char *value = argv[++i];

        if (isSeed) {
            if (o.seedGiven)
                return Refuse(error, errorSize, "given twice", arg);
            unsigned long long seed;
            if (!ParseCount(value, UINT_MAX, &seed))
                return Refuse(error, errorSize, "needs a whole number from 0 to 4294967295", arg);
            o.seed = static_cast<unsigned>(seed);
            o.seedGiven = true;
        } else {
            if (countGiven)
                return Refuse(error, errorSize, "only one of --pieces and --ticks may be given",
                              arg);
            unsigned long long count;
            if (!ParseCount(value, SIM_MAX_COUNT, &count) || count == 0)
                return Refuse(error, errorSize, "needs a whole number from 1 to 1000000000000",
                              arg);
            o.limit = isPieces ? SIM_LIMIT_PIECES : SIM_LIMIT_TICKS;
            o.count = count;
            countGiven = true;
        }
    }
    *options = o;
    return SIM_OPTIONS_OK;
}
