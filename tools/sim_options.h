// Command-line options of tumblix-sim: what they mean and how they are parsed.
//
// ParseSimOptions never prints and never exits; the caller decides what to do with a
// refusal. A refused command line leaves a one-line reason in the caller's buffer.
#ifndef TUMBLIX_SIM_OPTIONS_H
#define TUMBLIX_SIM_OPTIONS_H

#include <cstddef>

#include "platform/policy/exit_status.h"

// Pieces played when neither --pieces nor --ticks is given.
enum { SIM_DEFAULT_PIECES = 1000 };

// Largest value accepted for --pieces and --ticks; large enough for days of play, small
// enough that the simulated clock in milliseconds (40 per gravity tick) cannot overflow.
const unsigned long long SIM_MAX_COUNT = 1000000000000ULL;

// How a run ends: after a number of locked pieces or a number of gravity ticks.
enum SimLimit { SIM_LIMIT_PIECES, SIM_LIMIT_TICKS };

struct SimOptions {
    unsigned seed;             // argument of srand before the first game
    bool seedGiven;            // false: the caller seeds from the clock, as the saver does
    SimLimit limit;            // which count ends the run
    unsigned long long count;  // locked pieces or gravity ticks, 1..SIM_MAX_COUNT
    bool quiet;                // print nothing but the summary or a fault
    bool help;                 // --help: print the usage on stdout and play nothing
    bool version;              // --version, the only argument: print the release number
};

enum { SIM_OPTIONS_OK = EXIT_OK, SIM_OPTIONS_BAD = EXIT_BAD_USAGE };

// The usage line printed with every refusal and by --help.
extern const char SIM_USAGE[];

// Parses argv[1..argc-1]. Returns SIM_OPTIONS_OK and fills *options, or SIM_OPTIONS_BAD
// (the exit status for bad arguments) with the reason in error (always terminated).
int ParseSimOptions(int argc, const char *const argv[], SimOptions *options, char *error,
                    size_t errorSize);

#endif
