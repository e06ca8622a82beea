// The watcher's decisions over the saver process, driven by the idle source and the inhibitors.
#include "tools/idle/watcher.h"

#include "tools/idle/saver_process.h"

namespace
{

unsigned idleMs;
bool (*isInhibited)();
bool sessionIdle;
long long retryAtMs;  // when a start is tried again; 0 when none is pending

void TryStart()
{
    retryAtMs = 0;
    if (!sessionIdle || SaverRunning())
        return;
    if (isInhibited())
        retryAtMs = MonotonicMs() + idleMs;
    else
        StartSaver();
}

}  // namespace

void WatcherInit(unsigned seconds, bool (*inhibited)())
{
    idleMs = seconds * 1000;
    isInhibited = inhibited;
}

void WatcherIdle(bool idle)
{
    sessionIdle = idle;
    if (idle) {
        TryStart();
    } else {
        retryAtMs = 0;
        EndSaver();
    }
}

void WatcherInhibitorsGone()
{
    if (sessionIdle && !SaverRunning())
        retryAtMs = MonotonicMs() + idleMs;
}

int WatcherWakeMs()
{
    return MsUntil(retryAtMs);
}

void WatcherTick()
{
    if (retryAtMs != 0 && MonotonicMs() >= retryAtMs)
        TryStart();
}
