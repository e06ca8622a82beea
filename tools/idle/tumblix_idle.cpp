// tumblix-idle: starts `tumblix --fullscreen` when the session has been idle a while and ends
// it on activity; `enable` and `disable` turn that on and off for every login. Exit statuses
// as for every Tumblix program (platform/policy/exit_status.h): 1 when the session offers no
// idle source or goes away, 2 for a bad command line, 0 after a signal or `disable`.
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <string>

#include "platform/policy/exit_status.h"
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

// Polls the signals, the source and the bus until a signal, a Quit call or a lost session.
int Loop(int signals, const IdleSource &source)
{
    for (;;) {
        pollfd fds[3] = {{signals, POLLIN, 0}, {source.fd, POLLIN, 0}, {-1, 0, 0}};
        if (bus != nullptr)
            fds[2] = {sd_bus_get_fd(bus), (short)sd_bus_get_events(bus), 0};
        int wait = Earliest(Earliest(source.wakeMs(), WatcherWakeMs()), SaverWakeMs());
        if (bus != nullptr)
            wait = Earliest(wait, BusWakeMs(bus));
        if (poll(fds, 3, wait) < 0)
            continue;  // EINTR: every signal it handles comes through `signals`
        signalfd_siginfo signal;
        while (read(signals, &signal, sizeof signal) == (ssize_t)sizeof signal) {
            if (signal.ssi_signo != SIGCHLD) {
                EndSaverAndWait();
                return EXIT_OK;
            }
            ReapSaver();
        }
        // The bus first: a source whose events come over it learns there that it is gone.
        bool busLost = bus != nullptr && !ProcessBus(bus);
        bool lost = !source.dispatch(fds[1].revents);
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
    sigset_t handled;
    sigemptyset(&handled);
    for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGCHLD})
        sigaddset(&handled, signal);
    sigprocmask(SIG_BLOCK, &handled, nullptr);
    int signals = signalfd(-1, &handled, SFD_NONBLOCK | SFD_CLOEXEC);
    if (signals < 0)
        return Fail("cannot read signals");
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
    return Loop(signals, source);
}

}  // namespace

int main(int argc, char **argv)
{
    char error[IDLE_ERROR_SIZE];
    IdleCommand command = ParseIdleCommand(argc, argv, error);
    switch (command.action) {
    case IDLE_HELP:
        fputs(IdleUsageText(), stdout);
        return EXIT_OK;
    case IDLE_VERSION:
        printf("tumblix-idle %s\n", TUMBLIX_VERSION);
        return EXIT_OK;
    case IDLE_BAD:
        fprintf(stderr, "tumblix-idle: %s\n%s", error, IdleUsageText());
        return EXIT_BAD_USAGE;
    case IDLE_ENABLE:
        return EnableWatcher(command.seconds);
    case IDLE_DISABLE:
        return DisableWatcher();
    case IDLE_WATCH:
        break;
    }
    int status = Watch(command.seconds);
    if (bus != nullptr)
        sd_bus_flush_close_unref(bus);
    return status;
}
