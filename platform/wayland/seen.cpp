// Whether anyone can see the Wayland host's surfaces, from the compositor's frame callbacks.
//
// Each commit of a surface asks for a callback when none is outstanding (HostAskFrameDone),
// and the compositor answers when it next shows the surface; an output powered off, a hidden
// workspace or a covered window get no answer. A surface whose callback has not come back for
// UNSEEN_AFTER_NS counts as unseen until it does, and is not drawn meanwhile; the window is
// unseen, and the saver's timers held (ShimSetSeen), only while every surface is. The callbacks
// never pace the frames: the timers do, and swaps never wait for the compositor (gl.cpp).
#include "platform/policy/timers.h"
#include "platform/wayland/host.h"

static const int64_t UNSEEN_AFTER_NS = 200000000;  // without an answer, a surface is unseen

static void Tell()
{
    bool any = false, seen = false;
    for (const HostSurface &surface : host.surfaces) {
        if (!surface.used || surface.eglSurface == EGL_NO_SURFACE)
            continue;
        any = true;
        seen = seen || !surface.unseen;
    }
    // No surface to show yet: the first configure's frame must still come.
    ShimSetSeen(seen || !any);
}

static void FrameDone(void *data, wl_callback *callback, uint32_t)
{
    HostSurface *surface = (HostSurface *)data;
    wl_callback_destroy(callback);
    surface->frameCallback = nullptr;
    surface->unseen = false;
    Tell();
}

static const wl_callback_listener FRAME_LISTENER = {FrameDone};

void HostAskFrameDone(HostSurface *surface)
{
    if (surface->frameCallback != nullptr)
        return;
    surface->frameCallback = wl_surface_frame(surface->surface);
    wl_callback_add_listener(surface->frameCallback, &FRAME_LISTENER, surface);
    surface->frameAskedNs = ShimNow();
}

void HostForgetFrameDone(HostSurface *surface)
{
    if (surface->frameCallback != nullptr)
        wl_callback_destroy(surface->frameCallback);
    surface->frameCallback = nullptr;
}

int HostSeenWaitMs(int waitMs)
{
    int64_t now = ShimNow();
    for (HostSurface &surface : host.surfaces) {
        if (!surface.used || surface.unseen || surface.frameCallback == nullptr)
            continue;
        int64_t deadline = surface.frameAskedNs + UNSEEN_AFTER_NS;
        if (now >= deadline)
            surface.unseen = true;
        else
            waitMs = WaitMsUntil(waitMs, now, deadline);
    }
    Tell();
    return waitMs;
}
