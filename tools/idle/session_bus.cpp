// The watcher's session-bus calls over sd-bus.
#include "tools/idle/session_bus.h"

#include <errno.h>
#include <time.h>
#include <unistd.h>

#include "tools/idle/saver_process.h"

const char WATCHER_BUS_NAME[] = "org.tumblix.Idle";
const char WATCHER_BUS_PATH[] = "/org/tumblix/Idle";

namespace
{

// How long a method call on another program may take, in microseconds.
const uint64_t CALL_TIMEOUT_US = 2000000;

bool quitAsked;

int Quit(sd_bus_message *message, void *, sd_bus_error *)
{
    quitAsked = true;
    return sd_bus_reply_method_return(message, "");
}

const sd_bus_vtable WATCHER_VTABLE[] = {
    SD_BUS_VTABLE_START(0), SD_BUS_METHOD("Quit", "", "", Quit, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_VTABLE_END};

}  // namespace

sd_bus *OpenSessionBus()
{
    sd_bus *bus = nullptr;
    if (sd_bus_open_user(&bus) < 0)
        return nullptr;
    // sd-bus connects lazily: a bus address that leads nowhere shows up here.
    const char *unique = nullptr;
    if (sd_bus_get_unique_name(bus, &unique) < 0) {
        sd_bus_unref(bus);
        return nullptr;
    }
    return bus;
}

bool ClaimWatcherName(sd_bus *bus)
{
    sd_bus_add_object_vtable(bus, nullptr, WATCHER_BUS_PATH, WATCHER_BUS_NAME, WATCHER_VTABLE,
                             nullptr);
    return sd_bus_request_name(bus, WATCHER_BUS_NAME, 0) >= 0;
}

bool WatcherQuitAsked()
{
    return quitAsked;
}

bool GnomeIdleInhibited(sd_bus *bus)
{
    const unsigned IDLE_FLAG = 8;  // GNOME's GSM_INHIBITOR_FLAG_IDLE
    sd_bus_message *call = nullptr, *reply = nullptr;
    int inhibited = 0;
    if (bus != nullptr &&
        sd_bus_message_new_method_call(bus, &call, "org.gnome.SessionManager",
                                       "/org/gnome/SessionManager", "org.gnome.SessionManager",
                                       "IsInhibited") >= 0 &&
        sd_bus_message_append(call, "u", IDLE_FLAG) >= 0 &&
        sd_bus_call(bus, call, CALL_TIMEOUT_US, nullptr, &reply) >= 0 &&
        sd_bus_message_read(reply, "b", &inhibited) < 0)
        inhibited = 0;
    sd_bus_message_unref(reply);
    sd_bus_message_unref(call);
    return inhibited != 0;
}

bool BusNameOwned(sd_bus *bus, const char *name)
{
    sd_bus_message *reply = nullptr;
    int owned = 0;
    if (sd_bus_call_method(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                           "org.freedesktop.DBus", "NameHasOwner", nullptr, &reply, "s",
                           name) >= 0 &&
        sd_bus_message_read(reply, "b", &owned) < 0)
        owned = 0;
    sd_bus_message_unref(reply);
    return owned != 0;
}

bool EndRunningWatcher(sd_bus *bus, const char **why)
{
    if (!BusNameOwned(bus, WATCHER_BUS_NAME))
        return true;
    sd_bus_message *call = nullptr;
    if (sd_bus_message_new_method_call(bus, &call, WATCHER_BUS_NAME, WATCHER_BUS_PATH,
                                       WATCHER_BUS_NAME, "Quit") < 0 ||
        sd_bus_call(bus, call, CALL_TIMEOUT_US, nullptr, nullptr) < 0) {
        sd_bus_message_unref(call);
        *why = "the running watcher did not answer";
        return false;
    }
    sd_bus_message_unref(call);
    // It lets go of its name when it ends, after its saver.
    for (long long until = MonotonicMs() + SAVER_GRACE_MS + 1000; MonotonicMs() < until;) {
        if (!BusNameOwned(bus, WATCHER_BUS_NAME))
            return true;
        usleep(20000);
    }
    *why = "the running watcher did not end";
    return false;
}

bool ProcessBus(sd_bus *bus)
{
    int result;
    while ((result = sd_bus_process(bus, nullptr)) > 0) {
    }
    return result >= 0;
}

int BusWakeMs(sd_bus *bus)
{
    uint64_t at = 0;
    if (sd_bus_get_timeout(bus, &at) < 0 || at == UINT64_MAX)
        return -1;
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    uint64_t nowUs = (uint64_t)now.tv_sec * 1000000 + (uint64_t)now.tv_nsec / 1000;
    return at <= nowUs ? 0 : (int)((at - nowUs + 999) / 1000);
}
