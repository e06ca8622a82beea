// The OpenGL entries of the Wayland host's shim table, over EGL with desktop OpenGL (a
// compatibility-profile context, for the saver's immediate mode); the shim keeps the handles
// and their rules.
//
// One context draws every surface. With several, each WM_TIMER's frame is compiled into a
// display list (HostBeginFrame); SwapBuffers ends the list and plays it into each surface with
// that surface's viewport, so every output shows the whole well at its own size. With one,
// the frame is drawn into it directly, at no extra cost. Swaps never wait
// for the compositor (swap interval 0): the timers alone pace the frames, and a surface the
// compositor stops showing cannot hold the loop.
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include "platform/posix/say.h"
#include "platform/wayland/host.h"

static GLuint frameList;       // the display list of the frame being drawn, 0 before the first
static bool recording;         // between glNewList and glEndList
static HostSurface *directly;  // the one surface this frame is drawn into, when there is one

enum { CONFIG_CHOICES = 64 };  // EGL configs looked through for the one the saver wants

static EGLint Attribute(EGLConfig config, EGLint name)
{
    EGLint value = 0;
    eglGetConfigAttrib(host.egl, config, name, &value);
    return value;
}

// The config is chosen before the window procedure asks for its pixel format, since the
// surfaces need it at their first configure; it has what that format asks for.
// EGL sorts deeper colour first, but the saver wants 8 bits a channel and no alpha: an alpha
// channel would let the compositor see through its black (it clears to alpha 0), and
// compositors do not all show 10-bit buffers.
static bool ChooseConfig()
{
    const EGLint channel = SURFACE_COLOR_BITS / 3;
    const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_WINDOW_BIT, EGL_RENDERABLE_TYPE,
                             EGL_OPENGL_BIT,   EGL_RED_SIZE,   channel,
                             EGL_GREEN_SIZE,   channel,        EGL_BLUE_SIZE,
                             channel,          EGL_DEPTH_SIZE, SURFACE_DEPTH_BITS,
                             EGL_NONE};
    EGLConfig configs[CONFIG_CHOICES];
    EGLint count = 0;
    if (!eglChooseConfig(host.egl, wanted, configs, CONFIG_CHOICES, &count))
        return false;
    for (EGLint i = 0; i < count; ++i) {
        EGLConfig config = configs[i];
        if (Attribute(config, EGL_RED_SIZE) == channel &&
            Attribute(config, EGL_GREEN_SIZE) == channel &&
            Attribute(config, EGL_BLUE_SIZE) == channel && Attribute(config, EGL_ALPHA_SIZE) == 0) {
            host.config = config;
            return true;
        }
    }
    return false;
}

bool HostStartEgl()
{
    host.egl = eglGetPlatformDisplay(EGL_PLATFORM_WAYLAND_KHR, host.display, nullptr);
    if (host.egl == EGL_NO_DISPLAY)
        host.egl = eglGetDisplay((EGLNativeDisplayType)host.display);
    if (host.egl == EGL_NO_DISPLAY || !eglInitialize(host.egl, nullptr, nullptr) ||
        !eglBindAPI(EGL_OPENGL_API) || !ChooseConfig()) {
        Say("no EGL with desktop OpenGL on this Wayland display");
        return false;
    }
    return true;
}

void HostStopEgl()
{
    if (host.egl == EGL_NO_DISPLAY)
        return;
    eglMakeCurrent(host.egl, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    for (HostSurface &surface : host.surfaces)
        HostReleaseEglSurface(&surface);
    eglTerminate(host.egl);
    host.egl = EGL_NO_DISPLAY;
}

void HostSizeEglSurface(HostSurface *surface)
{
    if (surface->eglWindow != nullptr) {
        wl_egl_window_resize(surface->eglWindow, surface->width, surface->height, 0, 0);
        return;
    }
    surface->eglWindow = wl_egl_window_create(surface->surface, surface->width, surface->height);
    if (surface->eglWindow == nullptr)
        return;
    surface->eglSurface = eglCreateWindowSurface(host.egl, host.config,
                                                 (EGLNativeWindowType)surface->eglWindow, nullptr);
}

void HostReleaseEglSurface(HostSurface *surface)
{
    if (surface->eglSurface != EGL_NO_SURFACE) {
        if (eglGetCurrentSurface(EGL_DRAW) == surface->eglSurface)
            eglMakeCurrent(host.egl, EGL_NO_SURFACE, EGL_NO_SURFACE, eglGetCurrentContext());
        eglDestroySurface(host.egl, surface->eglSurface);
        surface->eglSurface = EGL_NO_SURFACE;
    }
    if (surface->eglWindow != nullptr) {
        wl_egl_window_destroy(surface->eglWindow);
        surface->eglWindow = nullptr;
    }
}

// Makes `context` current on a surface, the first that has an EGL surface, or on none.
static bool MakeCurrent(void *context)
{
    EGLSurface target = EGL_NO_SURFACE;
    for (HostSurface &surface : host.surfaces) {
        if (context != nullptr && surface.used && surface.eglSurface != EGL_NO_SURFACE) {
            target = surface.eglSurface;
            break;
        }
    }
    return eglMakeCurrent(host.egl, target, target, context != nullptr ? context : EGL_NO_CONTEXT);
}

// Makes a surface current with its viewport; its swaps never wait for the compositor.
static bool DrawInto(HostSurface *surface)
{
    if (eglGetCurrentSurface(EGL_DRAW) != surface->eglSurface &&
        !eglMakeCurrent(host.egl, surface->eglSurface, surface->eglSurface, host.context))
        return false;
    if (!surface->swapIntervalSet) {
        eglSwapInterval(host.egl, 0);
        surface->swapIntervalSet = true;
    }
    glViewport(0, 0, surface->width, surface->height);
    return true;
}

static bool Swap()
{
    if (directly != nullptr) {
        eglSwapBuffers(host.egl, directly->eglSurface);
        directly = nullptr;
        return true;
    }
    if (!recording)
        return false;
    glEndList();
    recording = false;
    for (HostSurface &surface : host.surfaces) {
        if (surface.used && surface.eglSurface != EGL_NO_SURFACE && DrawInto(&surface)) {
            glCallList(frameList);
            eglSwapBuffers(host.egl, surface.eglSurface);
        }
    }
    return true;
}

// The one surface with an EGL surface, or null when there are none or several.
static HostSurface *OnlySurface()
{
    HostSurface *only = nullptr;
    for (HostSurface &surface : host.surfaces) {
        if (!surface.used || surface.eglSurface == EGL_NO_SURFACE)
            continue;
        if (only != nullptr)
            return nullptr;
        only = &surface;
    }
    return only;
}

void HostBeginFrame()
{
    if (host.context == EGL_NO_CONTEXT || eglGetCurrentContext() != host.context)
        return;
    HostSurface *only = OnlySurface();
    if (only != nullptr) {
        directly = DrawInto(only) ? only : nullptr;
        return;
    }
    if (frameList == 0)
        frameList = glGenLists(1);
    if (frameList == 0)
        return;
    glNewList(frameList, GL_COMPILE);
    recording = true;
}

// A message that drew no frame leaves nothing recorded behind.
void HostEndFrame()
{
    if (recording)
        glEndList();
    recording = false;
    directly = nullptr;
}

static void *CreateContext()
{
    static const EGLint compatibility[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                           EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    host.context = eglCreateContext(host.egl, host.config, EGL_NO_CONTEXT, compatibility);
    return host.context != EGL_NO_CONTEXT ? host.context : nullptr;
}

static void DeleteContext(void *context)
{
    if (eglGetCurrentContext() == context)
        eglMakeCurrent(host.egl, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(host.egl, context);
    host.context = EGL_NO_CONTEXT;
    frameList = 0;  // the context's lists go with it
}

// Any request gets the one config, which has everything the saver asks for; the surfaces
// come and go with the outputs, so there is nothing to make at SetPixelFormat.
const ShimGL HOST_GL = {nullptr, nullptr, CreateContext, MakeCurrent, DeleteContext, Swap};
