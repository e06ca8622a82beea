// The Wayland idle sources: ext-idle-notify-v1, else the older org_kde_kwin_idle (sway 1.7).
// Both honour the compositor's idle inhibitors (a video player's zwp_idle_inhibitor_v1), so the
// watcher never sees idleness while one is held on a visible surface.
#include <poll.h>
#include <string.h>

#include <wayland-client.h>

#include "ext-idle-notify-v1-client.h"
#include "idle-client.h"
#include "tools/idle/idle_source.h"
#include "tools/idle/watcher.h"

namespace
{

wl_display *display;
wl_seat *seat;
ext_idle_notifier_v1 *notifier;
org_kde_kwin_idle *kdeIdle;

void Added(void *, wl_registry *registry, uint32_t name, const char *interface, uint32_t)
{
    if (strcmp(interface, wl_seat_interface.name) == 0 && seat == nullptr)
        seat = (wl_seat *)wl_registry_bind(registry, name, &wl_seat_interface, 1);
    else if (strcmp(interface, ext_idle_notifier_v1_interface.name) == 0)
        notifier = (ext_idle_notifier_v1 *)wl_registry_bind(registry, name,
                                                            &ext_idle_notifier_v1_interface, 1);
    else if (strcmp(interface, org_kde_kwin_idle_interface.name) == 0)
        kdeIdle =
            (org_kde_kwin_idle *)wl_registry_bind(registry, name, &org_kde_kwin_idle_interface, 1);
}

void Removed(void *, wl_registry *, uint32_t) {}

const wl_registry_listener REGISTRY = {Added, Removed};

void Idled(void *, ext_idle_notification_v1 *)
{
    WatcherIdle(true);
}

void Resumed(void *, ext_idle_notification_v1 *)
{
    WatcherIdle(false);
}

const ext_idle_notification_v1_listener NOTIFICATION = {Idled, Resumed};

void KdeIdle(void *, org_kde_kwin_idle_timeout *)
{
    WatcherIdle(true);
}

void KdeResumed(void *, org_kde_kwin_idle_timeout *)
{
    WatcherIdle(false);
}

const org_kde_kwin_idle_timeout_listener KDE_TIMEOUT = {KdeIdle, KdeResumed};

int NoWake()
{
    return -1;
}

bool Dispatch(short revents)
{
    if ((revents & POLLIN) != 0 && wl_display_dispatch(display) < 0)
        return false;
    if ((revents & (POLLERR | POLLHUP)) != 0 && (revents & POLLIN) == 0)
        return false;
    return wl_display_dispatch_pending(display) >= 0 && wl_display_flush(display) >= 0;
}

}  // namespace

bool OpenWaylandIdle(unsigned ms, IdleSource *source)
{
    display = wl_display_connect(nullptr);
    if (display == nullptr)
        return false;
    wl_registry_add_listener(wl_display_get_registry(display), &REGISTRY, nullptr);
    if (wl_display_roundtrip(display) < 0 || seat == nullptr ||
        (notifier == nullptr && kdeIdle == nullptr)) {
        wl_display_disconnect(display);
        display = nullptr;
        return false;
    }
    const char *name;
    if (notifier != nullptr) {
        ext_idle_notification_v1_add_listener(
            ext_idle_notifier_v1_get_idle_notification(notifier, ms, seat), &NOTIFICATION, nullptr);
        name = "ext-idle-notify-v1";
    } else {
        org_kde_kwin_idle_timeout_add_listener(
            org_kde_kwin_idle_get_idle_timeout(kdeIdle, seat, ms), &KDE_TIMEOUT, nullptr);
        name = "org_kde_kwin_idle";
    }
    wl_display_flush(display);
    *source = {name, "the compositor went away", wl_display_get_fd(display), NoWake, Dispatch};
    return true;
}
