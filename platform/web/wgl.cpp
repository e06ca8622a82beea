// The pixel-format and WGL calls the window procedure makes, on the web host, over
// Emscripten's EGL, which draws into the page's canvas with WebGL 1. That EGL has one config,
// one surface (the canvas) and one context, so the window has one pixel format and the host
// one context slot.
#include <GL/gl.h>

#include "platform/web/host.h"

enum { CANVAS_PIXEL_FORMAT = 1 };  // the canvas's one pixel format

static HGLRC__ context = {EGL_NO_CONTEXT};

// Colour and depth as asked for. No alpha channel, so the canvas is opaque over the page,
// and no multisampling, so every pixel is exactly what was drawn.
int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR *format)
{
    if (dc == nullptr || format == nullptr || !HostOwnsWindow(dc->window))
        return 0;
    const EGLint wanted[] = {EGL_RED_SIZE,   8,
                             EGL_GREEN_SIZE, 8,
                             EGL_BLUE_SIZE,  8,
                             EGL_ALPHA_SIZE, 0,
                             EGL_DEPTH_SIZE, format->cDepthBits,
                             EGL_NONE};
    EGLint count = 0;
    if (!eglChooseConfig(host.display, wanted, &host.config, 1, &count) || count < 1)
        return 0;
    return CANVAS_PIXEL_FORMAT;
}

// As on Windows, a window's pixel format is set once and for all.
BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR *)
{
    if (dc == nullptr || !HostOwnsWindow(dc->window) || format != CANVAS_PIXEL_FORMAT)
        return FALSE;
    if (dc->pixelFormat != 0)
        return dc->pixelFormat == format ? TRUE : FALSE;
    dc->surface = eglCreateWindowSurface(host.display, host.config, 0, nullptr);
    if (dc->surface == EGL_NO_SURFACE)
        return FALSE;
    dc->pixelFormat = format;
    return TRUE;
}

// The browser shows the canvas when the task that drew it ends; the swap counts the frame.
BOOL SwapBuffers(HDC dc)
{
    if (dc == nullptr || !HostOwnsWindow(dc->window) || dc->pixelFormat == 0)
        return FALSE;
    if (!eglSwapBuffers(host.display, dc->surface))
        return FALSE;
    host.frames++;
    return TRUE;
}

HGLRC wglCreateContext(HDC dc)
{
    if (dc == nullptr || !HostOwnsWindow(dc->window) || dc->pixelFormat == 0)
        return nullptr;
    if (context.context != EGL_NO_CONTEXT)
        return nullptr;
    const EGLint version[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};  // WebGL 1
    context.context = eglCreateContext(host.display, host.config, EGL_NO_CONTEXT, version);
    return context.context != EGL_NO_CONTEXT ? &context : nullptr;
}

static bool IsLiveContext(HGLRC rc)
{
    return rc == &context && context.context != EGL_NO_CONTEXT;
}

BOOL wglMakeCurrent(HDC dc, HGLRC rc)
{
    if (rc == nullptr)
        return eglMakeCurrent(host.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (dc == nullptr || !HostOwnsWindow(dc->window) || dc->pixelFormat == 0 || !IsLiveContext(rc))
        return FALSE;
    return eglMakeCurrent(host.display, dc->surface, dc->surface, rc->context);
}

// Deleting the current context first makes it not current, as on Windows.
BOOL wglDeleteContext(HGLRC rc)
{
    if (!IsLiveContext(rc))
        return FALSE;
    if (eglGetCurrentContext() == rc->context)
        eglMakeCurrent(host.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(host.display, rc->context);
    rc->context = EGL_NO_CONTEXT;
    return TRUE;
}

void HostFollowResize()
{
    if (eglGetCurrentContext() != EGL_NO_CONTEXT)
        glViewport(0, 0, host.window.width, host.window.height);
}
