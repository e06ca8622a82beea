// Running totals of a simulation, lines-per-game mean and median, and the summary text.
#include "tools/sim_stats.h"

#include <cstdio>
#include <cstring>

void StatsReset(SimStats *stats, unsigned seed)
{
    memset(stats, 0, sizeof *stats);
    stats->seed = seed;
}

void StatsAddGame(SimStats *stats, unsigned long long lines)
{
    stats->topOuts++;
    stats->finishedLines += lines;
    stats->linesPerGame[lines < SIM_LINES_BINS ? lines : SIM_LINES_BINS - 1]++;
}

void StatsAddGravityTick(SimStats *stats, const TickOutcome *outcome)
{
    stats->gravityTicks++;
    if (!outcome->locked)
        return;
    stats->piecesLocked++;
    if (outcome->toppedOut) {
        StatsAddGame(stats, stats->gameLines);
        stats->gameLines = 0;
        return;
    }
    stats->linesCleared += static_cast<unsigned long long>(outcome->linesCleared);
    stats->gameLines += static_cast<unsigned long long>(outcome->linesCleared);
    if (outcome->stackHeight > stats->highestStack)
        stats->highestStack = outcome->stackHeight;
}

double StatsMeanLines(const SimStats *stats)
{
    if (stats->topOuts == 0)
        return 0;
    return static_cast<double>(stats->finishedLines) / static_cast<double>(stats->topOuts);
}

// The bin holding the game of the given rank (0-based) in ascending order of lines.
static int BinOfRank(const SimStats *stats, unsigned long long rank)
{
    unsigned long long seen = 0;
    for (int bin = 0; bin < SIM_LINES_BINS; bin++) {
        seen += stats->linesPerGame[bin];
        if (seen > rank)
            return bin;
    }
    return SIM_LINES_BINS - 1;
}

double StatsMedianLines(const SimStats *stats, bool *atLeast)
{
    *atLeast = false;
    unsigned long long games = stats->topOuts;
    if (games == 0)
        return 0;
    int low = BinOfRank(stats, (games - 1) / 2);
    int high = BinOfRank(stats, games / 2);
    *atLeast = high == SIM_LINES_BINS - 1;
    return (low + high) / 2.0;
}

unsigned long long StatsPlayMs(const SimStats *stats)
{
    return stats->gravityTicks * GRAVITY_PERIOD_MS;
}

const char *FormatSummary(const SimStats *stats, char *text, size_t size)
{
    if (size == 0)
        return text;
    unsigned long long ms = StatsPlayMs(stats);
    unsigned long long seconds = ms / 1000;
    bool atLeast;
    double median = StatsMedianLines(stats, &atLeast);
    char perGame[96];
    if (stats->topOuts == 0)
        snprintf(perGame, sizeof perGame, "no game finished");
    else
        snprintf(perGame, sizeof perGame, "mean %.1f, median %s%.1f", StatsMeanLines(stats),
                 atLeast ? ">= " : "", median);
    snprintf(text, size,
             "seed:               %u\n"
             "gravity ticks:      %llu\n"
             "pieces locked:      %llu\n"
             "top-outs:           %llu\n"
             "lines cleared:      %llu\n"
             "lines per game:     %s\n"
             "current game lines: %llu\n"
             "highest stack:      %d rows\n"
             "simulated play:     %llu:%02llu:%02llu.%03llu (%llu ms)\n",
             stats->seed, stats->gravityTicks, stats->piecesLocked, stats->topOuts,
             stats->linesCleared, perGame, stats->gameLines, stats->highestStack, seconds / 3600,
             seconds / 60 % 60, seconds % 60, ms % 1000, ms);
    return text;
}
