/* The Wayland tests' pointer: adds a virtual pointer to the compositor's seat, so that a
 * headless compositor (which has no input devices) gives its clients a wl_pointer, and holds
 * it until killed. The tests then move the pointer with the compositor's own commands.
 *   wayland-pointer-helper   (WAYLAND_DISPLAY names the compositor) */
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>
#include <wayland-client.h>

#include "wlr-virtual-pointer-unstable-v1-client.h"

static struct wl_seat *seat;
static struct zwlr_virtual_pointer_manager_v1 *manager;

static void Added(void *data, struct wl_registry *registry, uint32_t name, const char *interface,
                  uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, wl_seat_interface.name) == 0 && seat == NULL)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
}

static void Removed(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener LISTENER = {Added, Removed};

int main(void)
{
    struct wl_display *display = wl_display_connect(NULL);
    if (display == NULL) {
        fprintf(stderr, "pointer helper: no compositor\n");
        return 1;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &LISTENER, NULL);
    wl_display_roundtrip(display);
    if (seat == NULL || manager == NULL) {
        fprintf(stderr, "pointer helper: the compositor has no seat or no virtual pointers\n");
        return 1;
    }
    zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
    wl_display_roundtrip(display);
    puts("ready");
    fflush(stdout);
    while (wl_display_dispatch(display) >= 0) {
    }
    return 0;
}
