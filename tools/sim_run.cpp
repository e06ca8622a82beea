// Plays the game headless, tick by tick, checking the whole state after every tick.
#include "tools/sim_run.h"

#include <cstdlib>

#include "game/game.h"

const char *FormatFault(char *message, size_t size, const char *timer, unsigned long long tick,
                        unsigned long long ms, unsigned seed, const char *sentence)
{
    if (size > 0)
        snprintf(message, size, "tumblix-sim: fault after %s tick %llu at %llu ms, seed %u: %s",
                 timer, tick, ms, seed, sentence);
    return message;
}

const char *CheckGameState(char *message, size_t size, const char *timer, unsigned long long tick,
                           unsigned long long ms, unsigned seed)
{
    const char *sentence = GameStateFault();
    if (!sentence)
        return 0;
    return FormatFault(message, size, timer, tick, ms, seed, sentence);
}

static bool LimitReached(const SimOptions *options, const SimStats *stats)
{
    unsigned long long done =
        options->limit == SIM_LIMIT_PIECES ? stats->piecesLocked : stats->gravityTicks;
    return done >= options->count;
}

int RunSimulation(const SimOptions *options, unsigned seed, SimStats *stats, FILE *progress,
                  char *message, size_t size)
{
    // Two copies of the state per gravity tick; static to keep them off a small stack.
    static SimSnapshot before, after;
    StatsReset(stats, seed);
    unsigned long long ms = 0;

    srand(seed);
    NewGame();
    if (CheckGameState(message, size, "start", 0, ms, seed))
        return SIM_RUN_FAULT;

    while (!LimitReached(options, stats)) {
        ms += STEERING_PERIOD_MS;
        SteeringTick();
        stats->steeringTicks++;
        if (CheckGameState(message, size, "steering", stats->steeringTicks, ms, seed))
            return SIM_RUN_FAULT;

        ms += GRAVITY_PERIOD_MS - STEERING_PERIOD_MS;
        TakeSnapshot(&before);
        GravityTick();
        TakeSnapshot(&after);
        TickOutcome outcome;
        unsigned long long gravityTick = stats->gravityTicks + 1;
        if (CheckGameState(message, size, "gravity", gravityTick, ms, seed))
            return SIM_RUN_FAULT;
        if (const char *odd = ObserveGravityTick(&before, &after, &outcome)) {
            FormatFault(message, size, "gravity", gravityTick, ms, seed, odd);
            return SIM_RUN_FAULT;
        }
        unsigned long long gameLines = stats->gameLines;
        StatsAddGravityTick(stats, &outcome);
        if (outcome.toppedOut && progress)
            fprintf(progress, "game %llu over after %llu lines at %llu ms\n", stats->topOuts,
                    gameLines, ms);

        SteeringTick();
        stats->steeringTicks++;
        if (CheckGameState(message, size, "steering", stats->steeringTicks, ms, seed))
            return SIM_RUN_FAULT;
    }
    return SIM_RUN_OK;
}
