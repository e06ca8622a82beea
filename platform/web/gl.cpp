// The OpenGL entries of the web host's shim table, over Emscripten's EGL, which draws into the
// page's canvas with WebGL 1. That EGL has one config, one surface (the canvas) and one
// context, so the window has one pixel format and the host one context.
#include "platform/web/host.h"

// Colour and depth as asked for. No alpha channel, so the canvas is opaque over the page,
// and no multisampling, so every pixel is exactly what was drawn.
static bool ChooseFormat(const PIXELFORMATDESCRIPTOR *format)
{
    const EGLint channel = format->cColorBits / 3;
    const EGLint wanted[] = {EGL_RED_SIZE,   channel,
                             EGL_GREEN_SIZE, channel,
                             EGL_BLUE_SIZE,  channel,
                             EGL_ALPHA_SIZE, 0,
                             EGL_DEPTH_SIZE, format->cDepthBits,
                             EGL_NONE};
    EGLint count = 0;
    return eglChooseConfig(host.display, wanted, &host.config, 1, &count) && count >= 1;
}

static bool MakeSurface()
{
    host.surface = eglCreateWindowSurface(host.display, host.config, 0, nullptr);
    return host.surface != EGL_NO_SURFACE;
}

// Emscripten's EGL has one context at a time, as the shim allows.
static void *CreateContext()
{
    const EGLint version[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};  // WebGL 1
    EGLContext context = eglCreateContext(host.display, host.config, EGL_NO_CONTEXT, version);
    return context != EGL_NO_CONTEXT ? context : nullptr;
}

static bool MakeCurrent(void *context)
{
    EGLSurface target = context != nullptr ? host.surface : EGL_NO_SURFACE;
    return eglMakeCurrent(host.display, target, target, (EGLContext)context);
}

static void DeleteContext(void *context)
{
    eglDestroyContext(host.display, (EGLContext)context);
}

// The browser shows the canvas when the task that drew it ends; the swap counts the frame.
static bool Swap()
{
    if (!eglSwapBuffers(host.display, host.surface))
        return false;
    host.frames++;
    return true;
}

const ShimGL HOST_GL = {ChooseFormat, MakeSurface, CreateContext, MakeCurrent, DeleteContext, Swap};
