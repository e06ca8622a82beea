// tumblix-floor-wayland: the least a program can do to show the saver's frames on Wayland, as
// the floor that the benchmarks measure tumblix-wayland against. No game, no message
// translation, no display list: an xdg-shell toplevel, EGL with a desktop-OpenGL
// compatibility context and the config the saver picks (8 bits a channel, no alpha), the two
// timers as plain deadlines, one frame per tick, swaps that never wait for the compositor.
//
//   tumblix-floor-wayland [WIDTH HEIGHT [CELLS]]
// WIDTH and HEIGHT are the size asked for when the compositor leaves it to the program
// (640 by 576); CELLS is the number of polygons per frame (default 200). It runs until killed.
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <stdio.h>
#include <string.h>
#include <wayland-client.h>
#include <wayland-egl.h>

#include "bench/floor_draw.h"
#include "bench/floor_ticks.h"
#include "platform/policy/exit_status.h"
#include "platform/wayland/xdg-shell-client.h"

enum { CONFIG_CHOICES = 64 };  // EGL configs looked through

struct Floor {
    wl_display *display;
    wl_compositor *compositor;
    xdg_wm_base *wmBase;
    int width, height;  // asked for, then as configured
    bool configured;
    EGLDisplay egl;
    EGLSurface surface;
};

static void Global(void *data, wl_registry *registry, uint32_t name, const char *interface,
                   uint32_t)
{
    Floor *floor = (Floor *)data;
    if (strcmp(interface, wl_compositor_interface.name) == 0)
        floor->compositor =
            (wl_compositor *)wl_registry_bind(registry, name, &wl_compositor_interface, 4);
    else if (strcmp(interface, xdg_wm_base_interface.name) == 0)
        floor->wmBase = (xdg_wm_base *)wl_registry_bind(registry, name, &xdg_wm_base_interface, 1);
}
static void GlobalGone(void *, wl_registry *, uint32_t) {}
static const wl_registry_listener REGISTRY = {Global, GlobalGone};

static void Ping(void *, xdg_wm_base *base, uint32_t serial)
{
    xdg_wm_base_pong(base, serial);
}
static const xdg_wm_base_listener WM_BASE = {Ping};

static void ToplevelSize(void *data, xdg_toplevel *, int32_t width, int32_t height, wl_array *)
{
    Floor *floor = (Floor *)data;
    if (width > 0 && height > 0) {
        floor->width = width;
        floor->height = height;
    }
}
static void ToplevelClose(void *, xdg_toplevel *) {}
static const xdg_toplevel_listener TOPLEVEL = {ToplevelSize, ToplevelClose, nullptr, nullptr};

static void Configured(void *data, xdg_surface *surface, uint32_t serial)
{
    xdg_surface_ack_configure(surface, serial);
    ((Floor *)data)->configured = true;
}
static const xdg_surface_listener XDG_SURFACE = {Configured};

static bool ChooseConfig(EGLDisplay egl, EGLConfig *chosen)
{
    static const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_WINDOW_BIT, EGL_RENDERABLE_TYPE,
                                    EGL_OPENGL_BIT,   EGL_DEPTH_SIZE, 16,
                                    EGL_NONE};
    EGLConfig configs[CONFIG_CHOICES];
    EGLint count = 0;
    eglChooseConfig(egl, wanted, configs, CONFIG_CHOICES, &count);
    for (EGLint i = 0; i < count; ++i) {
        EGLint red = 0, alpha = 0;
        eglGetConfigAttrib(egl, configs[i], EGL_RED_SIZE, &red);
        eglGetConfigAttrib(egl, configs[i], EGL_ALPHA_SIZE, &alpha);
        if (red == 8 && alpha == 0) {
            *chosen = configs[i];
            return true;
        }
    }
    return false;
}

// The frame goes to the compositor; its events (pings, releases) are read without waiting.
static void Swap(void *data)
{
    Floor *floor = (Floor *)data;
    eglSwapBuffers(floor->egl, floor->surface);
    if (wl_display_prepare_read(floor->display) == 0)
        wl_display_read_events(floor->display);
    wl_display_dispatch_pending(floor->display);
    wl_display_flush(floor->display);
}

static bool StartEgl(Floor *floor, wl_surface *surface)
{
    floor->egl = eglGetPlatformDisplay(EGL_PLATFORM_WAYLAND_KHR, floor->display, nullptr);
    EGLConfig config;
    if (floor->egl == EGL_NO_DISPLAY || !eglInitialize(floor->egl, nullptr, nullptr) ||
        !eglBindAPI(EGL_OPENGL_API) || !ChooseConfig(floor->egl, &config))
        return false;
    static const EGLint compatibility[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                           EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context = eglCreateContext(floor->egl, config, EGL_NO_CONTEXT, compatibility);
    wl_egl_window *window = wl_egl_window_create(surface, floor->width, floor->height);
    floor->surface =
        eglCreateWindowSurface(floor->egl, config, (EGLNativeWindowType)window, nullptr);
    return context != EGL_NO_CONTEXT && floor->surface != EGL_NO_SURFACE &&
           eglMakeCurrent(floor->egl, floor->surface, floor->surface, context) &&
           eglSwapInterval(floor->egl, 0);
}

int main(int argc, char **argv)
{
    Floor floor = {};
    int cells = FLOOR_CELLS;
    floor.width = 640;
    floor.height = 576;
    if (!FloorReadArguments(argc, argv, &floor.width, &floor.height, &cells)) {
        fprintf(stderr, "usage: tumblix-floor-wayland [WIDTH HEIGHT [CELLS]]\n");
        return EXIT_BAD_USAGE;
    }
    floor.display = wl_display_connect(nullptr);
    if (floor.display == nullptr) {
        fprintf(stderr, "tumblix-floor-wayland: no compositor\n");
        return EXIT_CANNOT_START;
    }
    wl_registry_add_listener(wl_display_get_registry(floor.display), &REGISTRY, &floor);
    wl_display_roundtrip(floor.display);
    if (floor.compositor == nullptr || floor.wmBase == nullptr) {
        fprintf(stderr, "tumblix-floor-wayland: the compositor has no xdg-shell\n");
        return EXIT_CANNOT_START;
    }
    xdg_wm_base_add_listener(floor.wmBase, &WM_BASE, nullptr);
    wl_surface *surface = wl_compositor_create_surface(floor.compositor);
    xdg_surface *xdgSurface = xdg_wm_base_get_xdg_surface(floor.wmBase, surface);
    xdg_surface_add_listener(xdgSurface, &XDG_SURFACE, &floor);
    xdg_toplevel *toplevel = xdg_surface_get_toplevel(xdgSurface);
    xdg_toplevel_add_listener(toplevel, &TOPLEVEL, &floor);
    xdg_toplevel_set_title(toplevel, "tumblix-floor-wayland");
    wl_surface_commit(surface);
    while (!floor.configured && wl_display_dispatch(floor.display) >= 0) {
    }
    if (!StartEgl(&floor, surface)) {
        fprintf(stderr, "tumblix-floor-wayland: no desktop OpenGL through EGL\n");
        return EXIT_CANNOT_START;
    }
    glViewport(0, 0, floor.width, floor.height);
    FloorRunTicks(cells, Swap, &floor);
}
