// tumblix-idle: starts `tumblix --fullscreen` when the session has been idle a while and ends
// it on activity; `enable` and `disable` turn that on and off for every login. Exit statuses
// as for every Tumblix program (platform/policy/exit_status.h): 1 when the session offers no
// idle source or goes away, 2 for a bad command line, 0 after a signal or `disable`.
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "platform/policy/exit_status.h"
#include "platform/posix/stop_signals.h"
#include "tools/idle/enable.h"
#include "tools/idle/idle_options.h"
#include "tools/idle/idle_source.h"
#include "tools/idle/saver_process.h"
#include "tools/idle/screensaver_service.h"
#include "tools/idle/session_bus.h"
#include "tools/idle/watcher.h"

namespace
{

sd_bus *bus;  // the session bus, or null in a session without one

int Fail(const std::string &reason)
{
    fprintf(stderr, "tumblix-idle: %s\n", reason.c_str());
    return EXIT_CANNOT_START;
}

bool Inhibited()
{
    return ScreenSaverInhibited() || GnomeIdleInhibited(bus);
}

// The first idle source the session offers; false after one line saying why there is none.
bool ChooseSource(unsigned ms, IdleSource *source)
{
    bool xscreensaverRuns = false;
    if ((getenv("WAYLAND_DISPLAY") != nullptr && OpenWaylandIdle(ms, source)) ||
        OpenMutterIdle(bus, ms, source) ||
        (getenv("DISPLAY") != nullptr && OpenX11Idle(ms, source, &xscreensaverRuns)))
        return true;
    if (xscreensaverRuns)
        Fail("xscreensaver already runs on this display and starts screen savers itself: "
             "use `tumblix-xscreensaver add --select` to make Tumblix its saver");
    else
        Fail("this session offers no idle source (ext-idle-notify-v1, org_kde_kwin_idle, "
             "GNOME's IdleMonitor or X11's MIT-SCREEN-SAVER)");
    return false;
}

int Earliest(int a, int b)
{
    return a < 0 ? b : b < 0 ? a : a < b ? a : b;
}

// Polls the signals, the saver's exit, the source and the bus until a signal, a Quit call or a
// lost session.
int Loop(const IdleSource &source)
{
    for (;;) {
        pollfd fds[4] = {{StopSignalFd(), POLLIN, 0},
                         {SaverExitFd(), POLLIN, 0},
                         {source.fd, POLLIN, 0},
                         {-1, 0, 0}};
        if (bus != nullptr)
            fds[3] = {sd_bus_get_fd(bus), (short)sd_bus_get_events(bus), 0};
        int wait = Earliest(Earliest(source.wakeMs(), WatcherWakeMs()), SaverWakeMs());
        if (bus != nullptr)
            wait = Earliest(wait, BusWakeMs(bus));
        if (poll(fds, 4, wait) < 0)
            continue;  // EINTR: every signal it handles comes through a descriptor
        if (StopSignalled()) {
            EndSaverAndWait();
            return EXIT_OK;
        }
        if (fds[1].revents != 0)
            ReapSaver();
        // The bus first: a source whose events come over it learns there that it is gone.
        bool busLost = bus != nullptr && !ProcessBus(bus);
        bool lost = !source.dispatch(fds[2].revents);
        if (lost || busLost || WatcherQuitAsked()) {
            EndSaverAndWait();
            return lost      ? Fail(source.lostText)
                   : busLost ? Fail("the session bus went away")
                             : EXIT_OK;
        }
        WatcherTick();
        SaverTick();
    }
}

int Watch(unsigned seconds)
{
    if (!CatchStopSignals() || !CatchSaverExits())
        return Fail("cannot take the signals");
    bus = OpenSessionBus();
    if (bus != nullptr && !ClaimWatcherName(bus))
        return Fail("a watcher already runs in this session");
    IdleSource source;
    if (!ChooseSource(seconds * 1000, &source))
        return EXIT_CANNOT_START;
    // One line for the session's log, where a user looks when the saver never comes.
    fprintf(stderr, "tumblix-idle: watching %s; the saver starts after %u s of idleness%s\n",
            source.name, seconds,
            bus != nullptr && OfferScreenSaver(bus) ? "; answering org.freedesktop.ScreenSaver"
                                                    : "");
    WatcherInit(seconds, Inhibited);
    return Loop(source);
}

}  // namespace

int main(int argc, char **argv)
{
    char error[OPTION_ERROR_SIZE];
    IdleCommand command;
    ParseResult result = ParseIdleCommand(argc, argv, &command, error);
    if (result == PARSE_ERROR) {
        fprintf(stderr, "tumblix-idle: %s\n%s", error, IdleUsageText());
        return EXIT_BAD_USAGE;
    }
    if (result != PARSE_OK) {
        fputs(result == PARSE_HELP ? IdleUsageText() : "tumblix-idle " TUMBLIX_VERSION "\n",
              stdout);
        return EXIT_OK;
    }
    if (command.action == IDLE_ENABLE)
        return EnableWatcher(command.seconds);
    if (command.action == IDLE_DISABLE)
        return DisableWatcher();
    int status = Watch(command.seconds);
    if (bus != nullptr)
        sd_bus_flush_close_unref(bus);
    return status;
}
