// The Wayland host's own state and the calls between its files, over libwayland-client,
// xdg-shell, the wlr layer-shell and EGL. The saver window itself (its handles, timers,
// closing rule and queued paint) is the shim's (platform/shim/shim.h); this record holds the
// surfaces it is shown on.
//
// One process serves one window-procedure state, as the window procedure expects. The window
// is one picture shown on every surface: a layer surface per output (full screen and
// background on a compositor with layer-shell), a full-screen xdg-shell toplevel per output
// (full screen elsewhere), or one toplevel (a window). Closing any of them closes the window.
// With one surface each frame is drawn straight into it; with several it is compiled into a
// display list and played into each at its own size, with the one OpenGL context (gl.cpp).
#ifndef TUMBLIX_WAYLAND_HOST_H
#define TUMBLIX_WAYLAND_HOST_H

#include <EGL/egl.h>
#include <stdint.h>
#include <wayland-client.h>
#include <wayland-egl.h>

#include "platform/policy/surface.h"
#include "platform/shim/shim.h"
#include "platform/wayland/options.h"

enum {
    OUTPUT_SLOTS = MONITOR_CAP,  // outputs followed at once; further ones get no well
    SURFACE_SLOTS = OUTPUT_SLOTS
};

struct HostOutput {
    wl_output *output;                 // null when the slot is free
    uint32_t name;                     // the registry's name of the global
    struct zxdg_output_v1 *xdgOutput;  // its logical position, where xdg-output is offered
    int x, y;                          // where it sits in the compositor's space
};

// One place the picture is shown. It gets its EGL surface at its first configure.
struct HostSurface {
    bool used;
    wl_surface *surface;
    struct zwlr_layer_surface_v1 *layer;  // layer modes
    struct xdg_surface *xdgSurface;       // xdg-shell modes
    struct xdg_toplevel *toplevel;
    wl_output *output;                // the output it covers; null for a window
    int pendingWidth, pendingHeight;  // from the toplevel's configure, 0 for "ours to pick"
    int width, height;                // pixels, once configured
    wl_egl_window *eglWindow;         // null until the first configure
    EGLSurface eglSurface;            // EGL_NO_SURFACE until the first configure
    bool swapIntervalSet;             // eglSwapInterval(0) was applied to it
};

struct HostGlobals {
    wl_compositor *compositor;
    wl_seat *seat;
    struct xdg_wm_base *wmBase;
    struct zwlr_layer_shell_v1 *layerShell;
    struct zxdg_output_manager_v1 *outputManager;
};

struct HostState {
    wl_display *display;
    wl_registry *registry;
    HostGlobals globals;
    WaylandMode mode;
    bool useLayers;  // one layer surface per output, else toplevels
    HostOutput outputs[OUTPUT_SLOTS];
    HostSurface surfaces[SURFACE_SLOTS];
    EGLDisplay egl;
    EGLConfig config;
    EGLContext context;  // the window procedure's one context, EGL_NO_CONTEXT when none
};

extern HostState host;

// Connects to the compositor named by the environment, binds its globals and checks that
// `mode` can be served. Prints a one-line error and returns false when it cannot.
bool HostConnect(WaylandMode mode);

// Makes the surfaces (one per output, or the window's toplevel) and waits for their first
// configure.
// Prints a one-line error and returns false when the compositor refuses.
bool HostShowSurfaces();

// A registry event about an output while running: makes or drops its surface.
void HostOutputAdded(HostOutput *output);
void HostOutputRemoved(HostOutput *output);

// Frees a surface and its EGL side; the context stays current without it.
void HostDropSurface(HostSurface *surface);

// Binds the seat's pointer, keyboard and touch as they come and go (input.cpp).
void HostFollowSeat(wl_seat *seat);

// EGL on the compositor's display: a desktop-OpenGL config with a depth buffer. Prints a
// one-line error and returns false when there is none.
bool HostStartEgl();

// Gives a configured surface its EGL window surface, or follows its new size.
void HostSizeEglSurface(HostSurface *surface);

// Frees a surface's EGL window surface; the context stays current, on no surface if need be.
void HostReleaseEglSurface(HostSurface *surface);

// Called by the loop around each queued message (a WM_TIMER draws a frame): what is drawn
// meanwhile is recorded, and SwapBuffers plays it into every surface.
void HostBeginFrame();
void HostEndFrame();

// The OpenGL entries of the shim's table, over EGL (gl.cpp).
extern const ShimGL HOST_GL;

// Releases the current context and EGL, before the connection goes.
void HostStopEgl();

// Starts the shim for a window of this size, with the host's table (loop.cpp).
void HostStartShim(int width, int height, bool closesOnInput);

// The loop: sends WM_CREATE, then messages one at a time until a quit is posted, and
// returns the quit code. The termination signals are the ones caught at the program's start
// (platform/posix/stop_signals.h).
int HostRun();

// The connection broke: one line on stderr and status 1, at once.
[[noreturn]] void HostConnectionLost();

#endif
