// The saver window on Wayland: the compositor's globals, its outputs as they come and go, and
// the surfaces the picture is shown on: layer surfaces, or xdg-shell toplevels (one for a
// window, one per output for full screen where there is no layer-shell).
//
// A surface is drawn into only after its first configure has been acked; every later
// configure (a new size) is acked before the next frame commits, as both shells require.
#include <stdlib.h>
#include <string.h>

#include "platform/posix/say.h"
#include "platform/wayland/host.h"
#include "platform/wayland/wlr-layer-shell-unstable-v1-client.h"
#include "platform/wayland/xdg-output-unstable-v1-client.h"
#include "platform/wayland/xdg-shell-client.h"

enum {
    COMPOSITOR_VERSION = 4,
    OUTPUT_VERSION = 3,  // wl_output.release
    SEAT_VERSION = 5,
    WM_BASE_VERSION = 1,
    LAYER_SHELL_VERSION = 4,
    OUTPUT_MANAGER_VERSION = 1  // the logical position is all we read
};

static const uint32_t ALL_EDGES =
    ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
    ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT;

static uint32_t Lower(uint32_t offered, uint32_t wanted)
{
    return offered < wanted ? offered : wanted;
}

// Where xdg-output is offered its logical position wins: wlroots compositors report 0,0 here
// for every output.
static void OutputGeometry(void *data, wl_output *, int32_t x, int32_t y, int32_t, int32_t, int32_t,
                           const char *, const char *, int32_t)
{
    HostOutput *output = (HostOutput *)data;
    if (output->xdgOutput != nullptr)
        return;
    output->x = x;
    output->y = y;
}
static void OutputMode(void *, wl_output *, uint32_t, int32_t, int32_t, int32_t) {}
static void OutputDone(void *, wl_output *) {}
static void OutputScale(void *, wl_output *, int32_t) {}
// The events after these come only with versions above the ones bound here.
static const wl_output_listener OUTPUT_LISTENER = {OutputGeometry, OutputMode, OutputDone,
                                                   OutputScale,    nullptr,    nullptr};

static void LogicalPosition(void *data, zxdg_output_v1 *, int32_t x, int32_t y)
{
    HostOutput *output = (HostOutput *)data;
    output->x = x;
    output->y = y;
}
static void LogicalSize(void *, zxdg_output_v1 *, int32_t, int32_t) {}
static void LogicalDone(void *, zxdg_output_v1 *) {}
// The name and description come only with versions above the one bound here.
static const zxdg_output_v1_listener XDG_OUTPUT_LISTENER = {LogicalPosition, LogicalSize,
                                                            LogicalDone, nullptr, nullptr};

// Asks for the output's logical position, once the compositor has offered xdg-output.
static void FollowPosition(HostOutput *output)
{
    zxdg_output_manager_v1 *manager = host.globals.outputManager;
    if (manager == nullptr || output->output == nullptr || output->xdgOutput != nullptr)
        return;
    output->xdgOutput = zxdg_output_manager_v1_get_xdg_output(manager, output->output);
    zxdg_output_v1_add_listener(output->xdgOutput, &XDG_OUTPUT_LISTENER, output);
}

static void AddOutput(uint32_t name, uint32_t version)
{
    for (HostOutput &slot : host.outputs) {
        if (slot.output != nullptr)
            continue;
        slot = HostOutput();
        slot.name = name;
        slot.output = (wl_output *)wl_registry_bind(host.registry, name, &wl_output_interface,
                                                    Lower(version, OUTPUT_VERSION));
        wl_output_add_listener(slot.output, &OUTPUT_LISTENER, &slot);
        FollowPosition(&slot);
        if (ShimWindowLives())
            HostOutputAdded(&slot);
        return;
    }
}

static void WmBasePing(void *, xdg_wm_base *base, uint32_t serial)
{
    xdg_wm_base_pong(base, serial);
}
static const xdg_wm_base_listener WM_BASE_LISTENER = {WmBasePing};

static void *Bind(uint32_t name, const wl_interface *interface, uint32_t offered, uint32_t wanted)
{
    return wl_registry_bind(host.registry, name, interface, Lower(offered, wanted));
}

static void GlobalAdded(void *, wl_registry *, uint32_t name, const char *interface,
                        uint32_t version)
{
    HostGlobals &globals = host.globals;
    if (strcmp(interface, wl_compositor_interface.name) == 0 && globals.compositor == nullptr) {
        globals.compositor =
            (wl_compositor *)Bind(name, &wl_compositor_interface, version, COMPOSITOR_VERSION);
    } else if (strcmp(interface, wl_output_interface.name) == 0) {
        AddOutput(name, version);
    } else if (strcmp(interface, wl_seat_interface.name) == 0 && globals.seat == nullptr &&
               host.mode != WAYLAND_BACKGROUND) {
        // A background ignores input, so it never even binds the seat.
        globals.seat = (wl_seat *)Bind(name, &wl_seat_interface, version, SEAT_VERSION);
        HostFollowSeat(globals.seat);
    } else if (strcmp(interface, xdg_wm_base_interface.name) == 0 && globals.wmBase == nullptr) {
        globals.wmBase =
            (xdg_wm_base *)Bind(name, &xdg_wm_base_interface, version, WM_BASE_VERSION);
        xdg_wm_base_add_listener(globals.wmBase, &WM_BASE_LISTENER, nullptr);
    } else if (strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0 &&
               globals.layerShell == nullptr) {
        globals.layerShell = (zwlr_layer_shell_v1 *)Bind(name, &zwlr_layer_shell_v1_interface,
                                                         version, LAYER_SHELL_VERSION);
    } else if (strcmp(interface, zxdg_output_manager_v1_interface.name) == 0 &&
               globals.outputManager == nullptr) {
        globals.outputManager = (zxdg_output_manager_v1 *)Bind(
            name, &zxdg_output_manager_v1_interface, version, OUTPUT_MANAGER_VERSION);
        for (HostOutput &output : host.outputs)
            FollowPosition(&output);
    }
}

static void GlobalRemoved(void *, wl_registry *, uint32_t name)
{
    for (HostOutput &slot : host.outputs) {
        if (slot.output == nullptr || slot.name != name)
            continue;
        HostOutputRemoved(&slot);
        if (slot.xdgOutput != nullptr)
            zxdg_output_v1_destroy(slot.xdgOutput);
        if (wl_output_get_version(slot.output) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
            wl_output_release(slot.output);
        else
            wl_output_destroy(slot.output);
        slot = HostOutput();
    }
}

static const wl_registry_listener REGISTRY_LISTENER = {GlobalAdded, GlobalRemoved};

// Why a mode cannot be served on this compositor, or null when it can.
static const char *MissingProtocol(WaylandMode mode)
{
    if (host.globals.compositor == nullptr)
        return "the compositor offers no wl_compositor";
    if (mode == WAYLAND_BACKGROUND && host.globals.layerShell == nullptr)
        return "--background needs a compositor with the wlr layer-shell protocol";
    if (mode != WAYLAND_BACKGROUND && host.globals.layerShell == nullptr &&
        host.globals.wmBase == nullptr)
        return "the compositor offers neither xdg-shell nor the wlr layer-shell protocol";
    if (mode == WAYLAND_WINDOW && host.globals.wmBase == nullptr)
        return "a window needs a compositor with xdg-shell";
    return nullptr;
}

bool HostConnect(WaylandMode mode)
{
    host.mode = mode;
    host.display = wl_display_connect(nullptr);
    if (host.display == nullptr) {
        SayUnreachable(getenv("WAYLAND_DISPLAY"), "cannot connect to a Wayland compositor",
                       "cannot connect to the Wayland compositor '%s'");
        return false;
    }
    host.registry = wl_display_get_registry(host.display);
    wl_registry_add_listener(host.registry, &REGISTRY_LISTENER, nullptr);
    // The first round trip lists the globals, the second the outputs' own events.
    if (wl_display_roundtrip(host.display) < 0 || wl_display_roundtrip(host.display) < 0) {
        Say("the Wayland compositor closed the connection");
        return false;
    }
    const char *missing = MissingProtocol(mode);
    if (missing != nullptr) {
        Say("%s", missing);
        return false;
    }
    host.useLayers = mode == WAYLAND_BACKGROUND ||
                     (mode == WAYLAND_FULLSCREEN && host.globals.layerShell != nullptr);
    return true;
}

// The window's size is the first shown surface's: what BeginPaint reports.
static void Resized(HostSurface *surface, int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    surface->width = width;
    surface->height = height;
    HostSizeEglSurface(surface);
    for (HostSurface &first : host.surfaces) {
        if (!first.used || first.eglSurface == EGL_NO_SURFACE)
            continue;
        ShimResize(first.width, first.height);
        break;
    }
    ShimInvalidate();
}

static void LayerConfigure(void *data, zwlr_layer_surface_v1 *layer, uint32_t serial,
                           uint32_t width, uint32_t height)
{
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    Resized((HostSurface *)data, (int)width, (int)height);
}

// The output went, or the compositor took the surface away: it is not made again.
static void LayerClosed(void *data, zwlr_layer_surface_v1 *)
{
    HostDropSurface((HostSurface *)data);
}

static const zwlr_layer_surface_v1_listener LAYER_LISTENER = {LayerConfigure, LayerClosed};

static void ToplevelConfigure(void *data, xdg_toplevel *, int32_t width, int32_t height, wl_array *)
{
    HostSurface *surface = (HostSurface *)data;
    surface->pendingWidth = width;
    surface->pendingHeight = height;
}

// The compositor closing any of the toplevels closes the saver window, and so all of them.
static void ToplevelClose(void *, xdg_toplevel *)
{
    ShimSend(WM_CLOSE, 0, 0);
}

static const xdg_toplevel_listener TOPLEVEL_LISTENER = {ToplevelConfigure, ToplevelClose, nullptr,
                                                        nullptr};

// A size of 0 leaves it to us: the window's default, or what it has now.
static void XdgConfigure(void *data, xdg_surface *xdgSurface, uint32_t serial)
{
    HostSurface *surface = (HostSurface *)data;
    xdg_surface_ack_configure(xdgSurface, serial);
    int width = surface->pendingWidth, height = surface->pendingHeight;
    if (width <= 0 || height <= 0) {
        width = surface->width > 0 ? surface->width : SAVER_WINDOW_WIDTH;
        height = surface->height > 0 ? surface->height : SAVER_WINDOW_HEIGHT;
    }
    Resized(surface, width, height);
}

static const xdg_surface_listener XDG_SURFACE_LISTENER = {XdgConfigure};

// A free slot with a new wl_surface that covers `output` (null for a window); null when none is
// free.
static HostSurface *NewSurface(wl_output *output)
{
    for (HostSurface &slot : host.surfaces) {
        if (slot.used)
            continue;
        slot = HostSurface();
        slot.used = true;
        slot.output = output;
        slot.eglSurface = EGL_NO_SURFACE;
        slot.surface = wl_compositor_create_surface(host.globals.compositor);
        return &slot;
    }
    return nullptr;
}

// An empty input region: pointer and touch pass through to what lies below.
static void IgnoreInput(wl_surface *surface)
{
    wl_region *none = wl_compositor_create_region(host.globals.compositor);
    wl_surface_set_input_region(surface, none);
    wl_region_destroy(none);
}

// Full screen: the overlay, over panels, with the keyboard. Background: the lowest layer.
static void MakeLayerSurface(HostOutput *output)
{
    HostSurface *surface = NewSurface(output->output);
    if (surface == nullptr)
        return;
    bool background = host.mode == WAYLAND_BACKGROUND;
    uint32_t layer =
        background ? ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND : ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY;
    surface->layer = zwlr_layer_shell_v1_get_layer_surface(
        host.globals.layerShell, surface->surface, output->output, layer, SAVER_APP_ID);
    zwlr_layer_surface_v1_set_size(surface->layer, 0, 0);
    zwlr_layer_surface_v1_set_anchor(surface->layer, ALL_EDGES);
    zwlr_layer_surface_v1_set_exclusive_zone(surface->layer, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        surface->layer, background ? ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE
                                   : ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
    zwlr_layer_surface_v1_add_listener(surface->layer, &LAYER_LISTENER, surface);
    if (background)
        IgnoreInput(surface->surface);
    wl_surface_commit(surface->surface);
}

// A window (`output` null), or full screen on `output` where there is no layer-shell.
static void MakeToplevel(wl_output *output)
{
    HostSurface *surface = NewSurface(output);
    if (surface == nullptr)
        return;
    surface->xdgSurface = xdg_wm_base_get_xdg_surface(host.globals.wmBase, surface->surface);
    xdg_surface_add_listener(surface->xdgSurface, &XDG_SURFACE_LISTENER, surface);
    surface->toplevel = xdg_surface_get_toplevel(surface->xdgSurface);
    xdg_toplevel_add_listener(surface->toplevel, &TOPLEVEL_LISTENER, surface);
    xdg_toplevel_set_title(surface->toplevel, SAVER_TITLE_TEXT);
    xdg_toplevel_set_app_id(surface->toplevel, SAVER_APP_ID);
    if (host.mode == WAYLAND_FULLSCREEN)
        xdg_toplevel_set_fullscreen(surface->toplevel, output);
    wl_surface_commit(surface->surface);
}

// Full screen and background cover each output with a surface of their own.
static void CoverOutput(HostOutput *output)
{
    if (host.useLayers)
        MakeLayerSurface(output);
    else if (host.mode == WAYLAND_FULLSCREEN)
        MakeToplevel(output->output);
}

bool HostShowSurfaces()
{
    if (host.mode == WAYLAND_WINDOW)
        MakeToplevel(nullptr);
    for (HostOutput &output : host.outputs)
        if (output.output != nullptr)
            CoverOutput(&output);
    if (wl_display_roundtrip(host.display) < 0) {
        Say("the Wayland compositor refused the saver's surfaces");
        return false;
    }
    return true;
}

void HostOutputAdded(HostOutput *output)
{
    if (!ShimClosing())
        CoverOutput(output);
}

void HostOutputRemoved(HostOutput *output)
{
    for (HostSurface &surface : host.surfaces)
        if (surface.used && surface.output == output->output)
            HostDropSurface(&surface);
}

void HostDropSurface(HostSurface *surface)
{
    if (!surface->used)
        return;
    HostForgetFrameDone(surface);
    HostReleaseEglSurface(surface);
    if (surface->layer != nullptr)
        zwlr_layer_surface_v1_destroy(surface->layer);
    if (surface->toplevel != nullptr)
        xdg_toplevel_destroy(surface->toplevel);
    if (surface->xdgSurface != nullptr)
        xdg_surface_destroy(surface->xdgSurface);
    wl_surface_destroy(surface->surface);
    *surface = HostSurface();
    surface->eglSurface = EGL_NO_SURFACE;
}
