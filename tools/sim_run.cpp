// Plays the game headless, tick by tick, checking the whole state after every tick.
#include "tools/sim_run.h"

#include <cstdlib>

#include "game/game.h"
#include "platform/policy/timers.h"

static const int64_t NS_PER_MS = 1000000;

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

// One gravity tick with its checks: the whole state, then what the tick did to the well.
static int RunGravityTick(SimStats *stats, FILE *progress, unsigned long long ms, unsigned seed,
                          char *message, size_t size)
{
    // Two copies of the state per gravity tick; static to keep them off a small stack.
    static SimSnapshot before, after;
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
        fprintf(progress, "game %llu over after %llu lines at %llu ms\n", stats->topOuts, gameLines,
                ms);
    return SIM_RUN_OK;
}

static int RunSteeringTick(SimStats *stats, unsigned long long ms, unsigned seed, char *message,
                           size_t size)
{
    SteeringTick();
    stats->steeringTicks++;
    if (CheckGameState(message, size, "steering", stats->steeringTicks, ms, seed))
        return SIM_RUN_FAULT;
    return SIM_RUN_OK;
}

int RunSimulation(const SimOptions *options, unsigned seed, SimStats *stats, FILE *progress,
                  char *message, size_t size)
{
    StatsReset(stats, seed);
    srand(seed);
    NewGame();
    if (CheckGameState(message, size, "start", 0, 0, seed))
        return SIM_RUN_FAULT;

    TimerTable timers = {};
    int64_t nowNs = 0;
    TimerSet(&timers, GRAVITY_TIMER_ID, GRAVITY_PERIOD_MS, nowNs);
    TimerSet(&timers, STEERING_TIMER_ID, STEERING_PERIOD_MS, nowNs);
    while (!LimitReached(options, stats)) {
        nowNs += (int64_t)TimerWaitMs(&timers, nowNs) * NS_PER_MS;
        TimerCollect(&timers, nowNs);
        unsigned long long ms = (unsigned long long)(nowNs / NS_PER_MS);
        uintptr_t id = 0;
        while (TimerTakePending(&timers, &id)) {
            int result = id == GRAVITY_TIMER_ID
                             ? RunGravityTick(stats, progress, ms, seed, message, size)
                             : RunSteeringTick(stats, ms, seed, message, size);
            if (result != SIM_RUN_OK)
                return result;
        }
    }
    return SIM_RUN_OK;
}
