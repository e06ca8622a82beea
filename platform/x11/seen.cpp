// Whether anyone can see the X11 host's window: not while X reports it fully obscured, nor
// while the monitor is in DPMS standby, suspend or off. The shim holds the saver's timers back
// meanwhile (ShimSetSeen).
//
// Visibility comes as events, so the window is seen again at once; the DPMS state has no
// event, so it is read at a low rate, and only where the server has the extension.
#include "platform/policy/timers.h"
#include "platform/x11/dpms.h"
#include "platform/x11/host.h"

static const int64_t DPMS_POLL_NS = 1000000000;  // between two readings of the monitor's state

struct SeenState {
    bool obscured;       // the last VisibilityNotify said VisibilityFullyObscured
    bool monitorOff;     // DPMS is enabled and the monitor is not on
    bool haveDpms;       // the server has the extension
    int64_t nextPollNs;  // when the monitor's state is read next
};

static SeenState seen;

static void Tell()
{
    ShimSetSeen(!seen.obscured && !seen.monitorOff);
}

void HostWatchSeen()
{
    seen = SeenState();
    seen.haveDpms = HostHasDpms(host.display);
}

void HostVisibilityChanged(int state)
{
    seen.obscured = state == VisibilityFullyObscured;
    Tell();
}

int HostSeenWaitMs(int waitMs)
{
    if (!seen.haveDpms)
        return waitMs;
    int64_t now = ShimNow();
    if (now >= seen.nextPollNs) {
        seen.monitorOff = HostMonitorOff(host.display);
        seen.nextPollNs = now + DPMS_POLL_NS;
        Tell();
    }
    return WaitMsUntil(waitMs, now, seen.nextPollNs);
}
