// tumblix-sim: plays the game with no window, as the saver's two timers would, and checks
// the whole game state after every tick. Exit status 0 on a sound run, 1 on a broken game
// state, 2 on a bad command line (the table every Tumblix program shares).
#include <cstdio>
#include <ctime>

#include "platform/policy/exit_status.h"
#include "tools/sim_options.h"
#include "tools/sim_run.h"
#include "tools/sim_stats.h"

int main(int argc, char **argv)
{
    SimOptions options;
    char error[160];
    if (ParseSimOptions(argc, argv, &options, error, sizeof error) != SIM_OPTIONS_OK) {
        fprintf(stderr, "tumblix-sim: %s\n%s\n", error, SIM_USAGE);
        return SIM_OPTIONS_BAD;
    }
    if (options.help) {
        printf("%s\n", SIM_USAGE);
        return EXIT_OK;
    }
    if (options.version) {
        printf("tumblix-sim %s\n", TUMBLIX_VERSION);
        return EXIT_OK;
    }

    // Without --seed the first game is seeded from the clock, as the saver seeds it.
    unsigned seed = options.seedGiven ? options.seed : static_cast<unsigned>(time(NULL));
    if (!options.quiet)
        printf("tumblix-sim: seed %u, playing %llu %s\n", seed, options.count,
               options.limit == SIM_LIMIT_PIECES ? "pieces" : "gravity ticks");

    static SimStats stats;
    char message[320];
    int status = RunSimulation(&options, seed, &stats, options.quiet ? nullptr : stdout, message,
                               sizeof message);
    static char summary[1024];
    if (status != SIM_RUN_OK) {
        fflush(stdout);
        fprintf(stderr, "%s\n", message);
        return status;
    }
    fputs(FormatSummary(&stats, summary, sizeof summary), stdout);
    return EXIT_OK;
}
