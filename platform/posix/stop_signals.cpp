// The termination signals as one pollable descriptor; see stop_signals.h.
#include "platform/posix/stop_signals.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

static int signalFd = -1;  // readable once SIGTERM, SIGINT or SIGHUP has come
static bool signalled;

bool CatchStopSignals()
{
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGHUP);
    if (sigprocmask(SIG_BLOCK, &stopSignals, nullptr) != 0)
        return false;
    signalFd = signalfd(-1, &stopSignals, SFD_NONBLOCK | SFD_CLOEXEC);
    signal(SIGPIPE, SIG_IGN);
    return signalFd >= 0;
}

int StopSignalFd()
{
    return signalFd;
}

bool StopSignalled()
{
    signalfd_siginfo info;
    while (signalFd >= 0 && read(signalFd, &info, sizeof info) == (ssize_t)sizeof info)
        signalled = true;
    return signalled;
}
