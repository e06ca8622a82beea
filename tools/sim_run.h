// The simulator's main loop: the saver's two timers played on a simulated clock.
//
// The timers are the hosts' own timer table (platform/policy/timers.h), set as the window
// procedure sets them: timer 1 (gravity) every 40 ms and timer 2 (steering) every 20 ms, both
// first due one period after the start. When both are due at the same instant the gravity
// tick runs first, as timer 1 was created first. One gravity period is therefore, in order:
//   steering tick at t - 20 ms; gravity tick at t; steering tick at t.
// The limit is looked at once every tick due at an instant has run, so a run is a whole number
// of these periods: it stops after the period in which the requested number of pieces locked
// or of gravity ticks ran. Nothing depends on the wall clock, so a seed always gives the same
// game.
#ifndef TUMBLIX_SIM_RUN_H
#define TUMBLIX_SIM_RUN_H

#include <cstddef>
#include <cstdio>

#include "tools/sim_options.h"
#include "tools/sim_stats.h"

// The results are the exit statuses of tumblix-sim (sim_options.h brings the table).
enum { SIM_RUN_OK = EXIT_OK, SIM_RUN_FAULT = EXIT_GAME_FAULT };

// Formats the report of a broken game state: which tick (timer name and its count), the
// simulated time, the game's seed and the sentence. Returns message (always terminated).
const char *FormatFault(char *message, size_t size, const char *timer, unsigned long long tick,
                        unsigned long long ms, unsigned seed, const char *sentence);

// Runs GameStateFault on the live game state. Returns 0 when it is sound, else message
// filled by FormatFault.
const char *CheckGameState(char *message, size_t size, const char *timer, unsigned long long tick,
                           unsigned long long ms, unsigned seed);

// Seeds rand with `seed`, starts a game and plays until options->limit is met, checking
// the game state after every tick. Each finished game is reported on `progress` unless it
// is null. Returns SIM_RUN_OK, or SIM_RUN_FAULT with the report in message; *stats holds
// the totals up to the end or the fault.
int RunSimulation(const SimOptions *options, unsigned seed, SimStats *stats, FILE *progress,
                  char *message, size_t size);

#endif
