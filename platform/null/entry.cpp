// The entry point of tumblix-null: reads the command line, makes the pretend window and runs
// the loop, then says how many frames it drew in how much simulated time. Exit statuses as
// for every Tumblix program (platform/policy/exit_status.h); fewer frames than asked for (the
// saver closed early) is a failure.
#include <stdio.h>

#include "platform/null/host.h"
#include "platform/policy/exit_status.h"
#include "platform/posix/saver_process.h"

static ParseResult ReadOptions(int argc, const char *const *argv, char error[OPTION_ERROR_SIZE])
{
    return ParseNullOptions(argc, argv, &host.options, error);
}

static int Run()
{
    int status = HostRun();
    printf("tumblix-null: %lu frames in %lld simulated ms; closed by %s\n", host.frames,
           (long long)(host.clockNs / 1000000), host.ownerClosed ? "its owner" : "input");
    return host.frames == host.options.frames ? status : EXIT_CANNOT_START;
}

int main(int argc, char **argv)
{
    static const SaverProgram program = {ReadOptions, NullUsageText, HostPrepareWindow, Run,
                                         nullptr};
    return RunSaverProgram(argc, argv, &program);
}
