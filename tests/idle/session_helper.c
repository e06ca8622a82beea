/* The idle watcher's tests' Wayland client, holding on until killed:
 *   idle-session-helper inhibit    a 64 x 64 window holding a zwp_idle_inhibitor_v1
 *   idle-session-helper activity   one simulated user activity (org_kde_kwin_idle), then exits
 * Prints "ready" once the compositor has it. */
#define _GNU_SOURCE
#include <stdio.h>
#include <string.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include "idle-client.h"
#include "idle-inhibit-unstable-v1-client.h"
#include "xdg-shell-client.h"

enum { SIZE = 64 };
static struct wl_seat *seat;
static struct wl_compositor *compositor;
static struct wl_shm *shm;
static struct xdg_wm_base *shell;
static struct zwp_idle_inhibit_manager_v1 *inhibitors;
static struct org_kde_kwin_idle *kdeIdle;

/* The globals bound, each into its slot, by the interface's name. */
static void Added(void *data, struct wl_registry *registry, uint32_t name, const char *interface,
                  uint32_t version)
{
    const struct {
        const struct wl_interface *interface;
        void **slot;
    } wanted[] = {{&wl_seat_interface, (void **)&seat},
                  {&wl_compositor_interface, (void **)&compositor},
                  {&wl_shm_interface, (void **)&shm},
                  {&xdg_wm_base_interface, (void **)&shell},
                  {&zwp_idle_inhibit_manager_v1_interface, (void **)&inhibitors},
                  {&org_kde_kwin_idle_interface, (void **)&kdeIdle}};
    (void)data;
    (void)version;
    for (size_t i = 0; i < sizeof wanted / sizeof wanted[0]; ++i)
        if (strcmp(interface, wanted[i].interface->name) == 0)
            *wanted[i].slot = wl_registry_bind(registry, name, wanted[i].interface, 1);
}

static void Removed(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener REGISTRY = {Added, Removed};

static void Ping(void *data, struct xdg_wm_base *base, uint32_t serial)
{
    (void)data;
    xdg_wm_base_pong(base, serial);
}

static const struct xdg_wm_base_listener PING = {Ping};

static void Configure(void *data, struct xdg_surface *surface, uint32_t serial)
{
    (void)data;
    xdg_surface_ack_configure(surface, serial);
}

static const struct xdg_surface_listener CONFIGURE = {Configure};

/* A mapped window with a white buffer, and the inhibitor on it. */
static int Inhibit(struct wl_display *display)
{
    int fd = memfd_create("idle-session-helper", 0);
    if (!compositor || !shm || !shell || !inhibitors || fd < 0 || ftruncate(fd, SIZE * SIZE * 4))
        return 0;
    memset(mmap(NULL, SIZE * SIZE * 4, PROT_WRITE, MAP_SHARED, fd, 0), 255, SIZE * SIZE * 4);
    struct wl_shm_pool *pool = wl_shm_create_pool(shm, fd, SIZE * SIZE * 4);
    struct wl_buffer *buffer =
        wl_shm_pool_create_buffer(pool, 0, SIZE, SIZE, SIZE * 4, WL_SHM_FORMAT_XRGB8888);
    struct wl_surface *surface = wl_compositor_create_surface(compositor);
    xdg_wm_base_add_listener(shell, &PING, NULL);
    struct xdg_surface *window = xdg_wm_base_get_xdg_surface(shell, surface);
    xdg_surface_add_listener(window, &CONFIGURE, NULL);
    xdg_toplevel_set_title(xdg_surface_get_toplevel(window), "inhibitor");
    wl_surface_commit(surface);
    wl_display_roundtrip(display);
    wl_surface_attach(surface, buffer, 0, 0);
    zwp_idle_inhibit_manager_v1_create_inhibitor(inhibitors, surface);
    wl_surface_commit(surface);
    return 1;
}

int main(int argc, char **argv)
{
    struct wl_display *display = wl_display_connect(NULL);
    int activity = argc > 1 && !strcmp(argv[1], "activity");
    if (display == NULL)
        return fprintf(stderr, "session helper: no compositor\n"), 1;
    wl_registry_add_listener(wl_display_get_registry(display), &REGISTRY, NULL);
    wl_display_roundtrip(display);
    if (activity && seat && kdeIdle)
        org_kde_kwin_idle_timeout_simulate_user_activity(
            org_kde_kwin_idle_get_idle_timeout(kdeIdle, seat, 1000));
    else if (activity || !Inhibit(display))
        return fprintf(stderr, "session helper: the compositor lacks a protocol\n"), 1;
    wl_display_roundtrip(display);
    puts("ready");
    fflush(stdout);
    while (!activity && wl_display_dispatch(display) >= 0) {
    }
    return 0;
}
