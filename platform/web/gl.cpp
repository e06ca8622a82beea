// The OpenGL entries of the web host's shim table, over Emscripten's EGL, which draws into the
// page's canvas with WebGL 1. That EGL has one config, one surface (the canvas) and one
// context, so the window has one pixel format and the host one context.
#include "platform/web/host.h"

// Colour and depth as asked for. No alpha channel, so the canvas is opaque over the page,
// and no multisampling, so every pixel is exactly what was drawn.
static bool ChooseFormat(void *, const PIXELFORMATDESCRIPTOR *format)
{
    const EGLint wanted[] = {EGL_RED_SIZE,   8,
                             EGL_GREEN_SIZE, 8,
                             EGL_BLUE_SIZE,  8,
                             EGL_ALPHA_SIZE, 0,
                             EGL_DEPTH_SIZE, format->cDepthBits,
                             EGL_NONE};
    EGLint count = 0;
    return eglChooseConfig(host.display, wanted, &host.config, 1, &count) && count >= 1;
}

static bool MakeSurface(void *)
{
    host.surface = eglCreateWindowSurface(host.display, host.config, 0, nullptr);
    return host.surface != EGL_NO_SURFACE;
}

static EGLContext live = EGL_NO_CONTEXT;  // Emscripten's EGL has one context at a time

static void *CreateContext(void *)
{
    if (live != EGL_NO_CONTEXT)
        return nullptr;
    const EGLint version[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};  // WebGL 1
    live = eglCreateContext(host.display, host.config, EGL_NO_CONTEXT, version);
    return live;
}

static bool MakeCurrent(void *, void *context)
{
    if (context == nullptr)
        return eglMakeCurrent(host.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    return eglMakeCurrent(host.display, host.surface, host.surface, (EGLContext)context);
}

static void DeleteContext(void *, void *context)
{
    eglDestroyContext(host.display, (EGLContext)context);
    live = EGL_NO_CONTEXT;
}

// The browser shows the canvas when the task that drew it ends; the swap counts the frame.
static bool Swap(void *)
{
    if (!eglSwapBuffers(host.display, host.surface))
        return false;
    host.frames++;
    return true;
}

const ShimGL HOST_GL = {ChooseFormat, MakeSurface, CreateContext, MakeCurrent, DeleteContext, Swap};
