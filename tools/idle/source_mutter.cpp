// GNOME's idle source: mutter's org.gnome.Mutter.IdleMonitor on the session bus, in GNOME's
// Wayland and X11 sessions alike. An idle watch fires each time the idle time is reached; a
// user-active watch fires once, at the next activity, so one is added after every idle.
#include <stdint.h>
#include <string.h>

#include "tools/idle/idle_source.h"
#include "tools/idle/watcher.h"

namespace
{

const char MONITOR_NAME[] = "org.gnome.Mutter.IdleMonitor";
const char MONITOR_PATH[] = "/org/gnome/Mutter/IdleMonitor/Core";

sd_bus *monitorBus;
uint32_t idleWatch, activeWatch;
bool monitorGone;

// Adds a watch with the given method and arguments; 0 when mutter refused it.
uint32_t AddWatch(const char *method, uint64_t ms)
{
    sd_bus_message *reply = nullptr;
    uint32_t id = 0;
    int result = ms != 0 ? sd_bus_call_method(monitorBus, MONITOR_NAME, MONITOR_PATH, MONITOR_NAME,
                                              method, nullptr, &reply, "t", ms)
                         : sd_bus_call_method(monitorBus, MONITOR_NAME, MONITOR_PATH, MONITOR_NAME,
                                              method, nullptr, &reply, "");
    if (result < 0 || sd_bus_message_read(reply, "u", &id) < 0)
        id = 0;
    sd_bus_message_unref(reply);
    return id;
}

int WatchFired(sd_bus_message *message, void *, sd_bus_error *)
{
    uint32_t id = 0;
    if (sd_bus_message_read(message, "u", &id) < 0 || id == 0)
        return 0;
    if (id == idleWatch) {
        // Asked before reporting idleness: the activity that ends it may come at once.
        activeWatch = AddWatch("AddUserActiveWatch", 0);
        WatcherIdle(true);
    } else if (id == activeWatch) {
        activeWatch = 0;
        WatcherIdle(false);
    }
    return 0;
}

int OwnerChanged(sd_bus_message *message, void *, sd_bus_error *)
{
    const char *name = nullptr, *before = nullptr, *after = nullptr;
    if (sd_bus_message_read(message, "sss", &name, &before, &after) >= 0 &&
        strcmp(name, MONITOR_NAME) == 0 && after[0] == '\0')
        monitorGone = true;
    return 0;
}

int NoWake()
{
    return -1;
}

bool Dispatch(short)
{
    return !monitorGone;
}

}  // namespace

bool OpenMutterIdle(sd_bus *bus, unsigned ms, IdleSource *source)
{
    if (bus == nullptr)
        return false;
    monitorBus = bus;
    if (sd_bus_match_signal(bus, nullptr, MONITOR_NAME, MONITOR_PATH, MONITOR_NAME, "WatchFired",
                            WatchFired, nullptr) < 0 ||
        sd_bus_match_signal(bus, nullptr, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                            "org.freedesktop.DBus", "NameOwnerChanged", OwnerChanged, nullptr) < 0)
        return false;
    idleWatch = AddWatch("AddIdleWatch", ms);
    if (idleWatch == 0)
        return false;
    *source = {"org.gnome.Mutter.IdleMonitor", "GNOME's idle monitor went away", -1, NoWake,
               Dispatch};
    return true;
}
