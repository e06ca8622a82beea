// The simulator's running totals and the summary printed at the end of a run.
//
// Lines per game are kept in a fixed histogram, so a run of any length needs no more
// memory than the record itself. Only games that ended in a top-out count as games; the
// game still running when the simulation stops is reported separately.
#ifndef TUMBLIX_SIM_STATS_H
#define TUMBLIX_SIM_STATS_H

#include <cstddef>

#include "platform/policy/timing.h"  // the periods, in simulated milliseconds
#include "tools/sim_observe.h"

// Games with this many lines or more share the last histogram bin; their exact count is
// still part of the mean, only a median that falls among them is reported as a bound.
enum { SIM_LINES_BINS = 8192 };

struct SimStats {
    unsigned seed;
    unsigned long long gravityTicks;
    unsigned long long steeringTicks;
    unsigned long long piecesLocked;   // every lock, including those that topped out
    unsigned long long topOuts;        // games finished
    unsigned long long linesCleared;   // over the whole run
    unsigned long long gameLines;      // lines of the game still running
    unsigned long long finishedLines;  // lines of all finished games together
    int highestStack;                  // tallest stack left by a lock that did not top out
    unsigned long long linesPerGame[SIM_LINES_BINS];  // finished games by their lines
};

// Starts a run: all totals 0.
void StatsReset(SimStats *stats, unsigned seed);

// Adds one gravity tick's outcome.
void StatsAddGravityTick(SimStats *stats, const TickOutcome *outcome);

// Records the end of a game of `lines` lines (called by StatsAddGravityTick on top-out).
void StatsAddGame(SimStats *stats, unsigned long long lines);

// Mean lines per finished game; 0 when no game has finished.
double StatsMeanLines(const SimStats *stats);

// Median lines per finished game (the mean of the two middle games for an even count);
// 0 when no game has finished. Sets *atLeast when the median lies in the last bin, where
// it is only known to be at least SIM_LINES_BINS - 1.
double StatsMedianLines(const SimStats *stats, bool *atLeast);

// Simulated time of the run in milliseconds: one gravity period per gravity tick.
unsigned long long StatsPlayMs(const SimStats *stats);

// Writes the multi-line summary into text (always terminated). Returns text.
const char *FormatSummary(const SimStats *stats, char *text, size_t size);

#endif
