// The entry point of tumblix-null: reads the command line, makes the pretend window and runs
// the loop, then says how many frames it drew in how much simulated time. Exit statuses as
// for every Tumblix program (platform/policy/exit_status.h); fewer frames than asked for (the
// saver closed early) is a failure.
#include <stdio.h>

#include "platform/null/host.h"
#include "platform/policy/exit_status.h"
#include "platform/posix/saver_process.h"

int main(int argc, char **argv)
{
    char error[OPTION_ERROR_SIZE];
    ParseResult parsed = ParseNullOptions(argc, argv, &host.options, error);
    if (parsed != PARSE_OK)
        return AnswerOptions(parsed, NullUsageText(), error);
    if (!StartSaverProcess())
        return EXIT_CANNOT_START;
    HostPrepareWindow();
    int status = HostRun();
    printf("tumblix-null: %lu frames in %lld simulated ms; closed by %s\n", host.frames,
           (long long)(host.clockNs / 1000000), host.ownerClosed ? "its owner" : "input");
    return host.frames == host.options.frames ? SaverExitStatus(status) : EXIT_CANNOT_START;
}
