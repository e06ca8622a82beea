// The session bus as the watcher uses it (sd-bus): its own name, by which `disable` finds it,
// GNOME's inhibit flag, and the bus's part of the watcher's poll loop.
#ifndef TUMBLIX_IDLE_SESSION_BUS_H
#define TUMBLIX_IDLE_SESSION_BUS_H

#include <systemd/sd-bus.h>

// The name one watcher per session owns, with the method Quit on WATCHER_BUS_PATH.
extern const char WATCHER_BUS_NAME[];  // "org.tumblix.Idle"
extern const char WATCHER_BUS_PATH[];  // "/org/tumblix/Idle"

// The session's bus, or null when the session has none (sway without D-Bus).
sd_bus *OpenSessionBus();

// Takes WATCHER_BUS_NAME; false when another watcher owns it already.
bool ClaimWatcherName(sd_bus *bus);

// Whether a Quit call came (from `tumblix-idle disable` or `enable`).
bool WatcherQuitAsked();

// Whether GNOME's session manager has an inhibitor of idleness (IsInhibited with flag 8);
// false when there is no bus or no session manager.
bool GnomeIdleInhibited(sd_bus *bus);

// Whether `name` has an owner on the bus.
bool BusNameOwned(sd_bus *bus, const char *name);

// Asks the session's running watcher to quit and waits until it has (it ends its saver
// first). True when none runs or it went; false with a reason when it did not.
bool EndRunningWatcher(sd_bus *bus, const char **why);

// Handles everything the bus has brought. False when the bus went away.
bool ProcessBus(sd_bus *bus);

// Milliseconds until the bus wants ProcessBus even without input; -1 when never.
int BusWakeMs(sd_bus *bus);

#endif
