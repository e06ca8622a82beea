// The termination signals as one pollable descriptor; see stop_signals.h.
#include "platform/posix/stop_signals.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

static int signalFd = -1;  // readable once SIGTERM, SIGINT or SIGHUP has come
static bool signalled;

int BlockedSignalFd(const int *signals, int count)
{
    sigset_t set;
    sigemptyset(&set);
    for (int i = 0; i < count; ++i)
        sigaddset(&set, signals[i]);
    if (sigprocmask(SIG_BLOCK, &set, nullptr) != 0)
        return -1;
    return signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
}

bool CatchStopSignals()
{
    static const int STOP_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP};
    signalFd = BlockedSignalFd(STOP_SIGNALS, 3);
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
