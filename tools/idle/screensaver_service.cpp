// The table of inhibitors behind org.freedesktop.ScreenSaver, with their cookies and owners.
#include "tools/idle/screensaver_service.h"

#include <string.h>

#include "tools/idle/watcher.h"

namespace
{

const char SERVICE[] = "org.freedesktop.ScreenSaver";
enum { OWNER_SIZE = 64 };  // bytes of a client's unique bus name (":1.42"), with its terminator

struct Inhibitor {
    unsigned cookie;  // 0: a free slot
    char owner[OWNER_SIZE];
};

Inhibitor inhibitors[MAX_INHIBITORS];
unsigned lastCookie;

unsigned HeldCount()
{
    unsigned held = 0;
    for (const Inhibitor &slot : inhibitors)
        held += slot.cookie != 0;
    return held;
}

void Release(Inhibitor *slot)
{
    slot->cookie = 0;
    if (HeldCount() == 0)
        WatcherInhibitorsGone();
}

int Inhibit(sd_bus_message *message, void *, sd_bus_error *error)
{
    const char *application = nullptr, *reason = nullptr;
    int result = sd_bus_message_read(message, "ss", &application, &reason);
    if (result < 0)
        return result;
    const char *sender = sd_bus_message_get_sender(message);
    for (Inhibitor &slot : inhibitors) {
        if (slot.cookie != 0)
            continue;
        do
            lastCookie++;
        while (lastCookie == 0);
        slot.cookie = lastCookie;
        strncpy(slot.owner, sender != nullptr ? sender : "", OWNER_SIZE - 1);
        slot.owner[OWNER_SIZE - 1] = '\0';
        return sd_bus_reply_method_return(message, "u", slot.cookie);
    }
    return sd_bus_error_set(error, SD_BUS_ERROR_LIMITS_EXCEEDED, "too many inhibitors");
}

int UnInhibit(sd_bus_message *message, void *, sd_bus_error *)
{
    unsigned cookie = 0;
    int result = sd_bus_message_read(message, "u", &cookie);
    if (result < 0)
        return result;
    for (Inhibitor &slot : inhibitors) {
        if (cookie != 0 && slot.cookie == cookie)
            Release(&slot);
    }
    return sd_bus_reply_method_return(message, "");
}

// A client that leaves the bus drops its inhibitors: a player that crashed mid-film must not
// keep the saver away for good.
int OwnerChanged(sd_bus_message *message, void *, sd_bus_error *)
{
    const char *name = nullptr, *before = nullptr, *after = nullptr;
    if (sd_bus_message_read(message, "sss", &name, &before, &after) < 0 || after[0] != '\0')
        return 0;
    for (Inhibitor &slot : inhibitors) {
        if (slot.cookie != 0 && strcmp(slot.owner, before) == 0)
            Release(&slot);
    }
    return 0;
}

const sd_bus_vtable VTABLE[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("Inhibit", "ss", "u", Inhibit, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("UnInhibit", "u", "", UnInhibit, SD_BUS_VTABLE_UNPRIVILEGED), SD_BUS_VTABLE_END};

}  // namespace

bool OfferScreenSaver(sd_bus *bus)
{
    if (sd_bus_add_object_vtable(bus, nullptr, "/org/freedesktop/ScreenSaver", SERVICE, VTABLE,
                                 nullptr) < 0 ||
        sd_bus_add_object_vtable(bus, nullptr, "/ScreenSaver", SERVICE, VTABLE, nullptr) < 0 ||
        sd_bus_match_signal(bus, nullptr, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                            "org.freedesktop.DBus", "NameOwnerChanged", OwnerChanged, nullptr) < 0)
        return false;
    // Without a flag to queue or replace, the call fails when the name has an owner.
    return sd_bus_request_name(bus, SERVICE, 0) >= 0;
}

bool ScreenSaverInhibited()
{
    return HeldCount() != 0;
}
