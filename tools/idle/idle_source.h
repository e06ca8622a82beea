// Where the watcher learns that the session is idle, behind one table: a Wayland protocol,
// GNOME's IdleMonitor on the session bus, or the X server's screen-saver extension.
//
// Each source reports through WatcherIdle (watcher.h): true once the session has been idle
// for the idle time, false at the first activity after that.
#ifndef TUMBLIX_IDLE_SOURCE_H
#define TUMBLIX_IDLE_SOURCE_H

#include <systemd/sd-bus.h>

struct IdleSource {
    const char *name;      // for messages: "ext-idle-notify-v1", ...
    const char *lostText;  // the one line when the session goes away
    int fd;                // polled for input; -1 for a source whose events come over the bus
    int (*wakeMs)();       // milliseconds until dispatch must run without input; -1: never
    // Handles what came (`revents` of fd, 0 on a timeout). False when the session is gone.
    bool (*dispatch)(short revents);
};

// The compositor's ext-idle-notify-v1, else its org_kde_kwin_idle, for `ms` of idleness.
// False when WAYLAND_DISPLAY leads to no compositor or it offers neither.
bool OpenWaylandIdle(unsigned ms, IdleSource *source);

// GNOME's org.gnome.Mutter.IdleMonitor on `bus`. False when no one answers it.
bool OpenMutterIdle(sd_bus *bus, unsigned ms, IdleSource *source);

// The X server's MIT-SCREEN-SAVER idle time on $DISPLAY. False when there is no display or no
// extension, and when an xscreensaver daemon already runs there (*xscreensaverRuns set).
bool OpenX11Idle(unsigned ms, IdleSource *source, bool *xscreensaverRuns);

#endif
