// The pixel-format and WGL calls the window procedure makes, on the Linux host, over GLX.
// A window has one pixel format, its visual (see pixelformat.h).
#include <GL/gl.h>

#include "platform/x11/host.h"
#include "platform/x11/pixelformat.h"

enum { CONTEXT_SLOTS = 4 };  // rendering contexts alive at once; the saver needs one

static HGLRC__ contexts[CONTEXT_SLOTS];

// The window's one format is the closest there is to any request (see pixelformat.h).
int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR *format)
{
    if (dc == nullptr || format == nullptr || !HostOwnsWindow(dc->window))
        return 0;
    VisualTraits traits = HostVisualTraits(&dc->window->visual);
    return VisualDraws(&traits) ? HOST_PIXEL_FORMAT : 0;
}

// As on Windows, a window's pixel format is set once and for all.
BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR *)
{
    if (dc == nullptr || !HostOwnsWindow(dc->window) || format != HOST_PIXEL_FORMAT)
        return FALSE;
    if (dc->pixelFormat != 0)
        return dc->pixelFormat == format ? TRUE : FALSE;
    dc->pixelFormat = format;
    return TRUE;
}

BOOL SwapBuffers(HDC dc)
{
    if (dc == nullptr || !HostOwnsWindow(dc->window) || host.windowGone)
        return FALSE;
    glXSwapBuffers(host.display, dc->window->xid);
    return TRUE;
}

HGLRC wglCreateContext(HDC dc)
{
    if (dc == nullptr || !HostOwnsWindow(dc->window) || dc->pixelFormat == 0)
        return nullptr;
    for (HGLRC__ &slot : contexts) {
        if (slot.context != nullptr)
            continue;
        slot.context = glXCreateContext(host.display, &dc->window->visual, nullptr, True);
        return slot.context != nullptr ? &slot : nullptr;
    }
    return nullptr;
}

static bool IsLiveContext(HGLRC rc)
{
    for (HGLRC__ &slot : contexts)
        if (rc == &slot)
            return slot.context != nullptr;
    return false;
}

BOOL wglMakeCurrent(HDC dc, HGLRC rc)
{
    if (host.display == nullptr)
        return FALSE;
    if (rc == nullptr)
        return glXMakeCurrent(host.display, None, nullptr) ? TRUE : FALSE;
    if (dc == nullptr || !HostOwnsWindow(dc->window) || host.windowGone || !IsLiveContext(rc))
        return FALSE;
    return glXMakeCurrent(host.display, dc->window->xid, rc->context) ? TRUE : FALSE;
}

// Deleting the current context first makes it not current, as on Windows.
BOOL wglDeleteContext(HGLRC rc)
{
    if (host.display == nullptr || !IsLiveContext(rc))
        return FALSE;
    if (glXGetCurrentContext() == rc->context)
        glXMakeCurrent(host.display, None, nullptr);
    glXDestroyContext(host.display, rc->context);
    rc->context = nullptr;
    return TRUE;
}

void HostReleaseCurrentContext()
{
    if (host.display != nullptr && glXGetCurrentContext() != nullptr)
        glXMakeCurrent(host.display, None, nullptr);
}

void HostFollowResize()
{
    if (glXGetCurrentContext() != nullptr)
        glViewport(0, 0, host.window.width, host.window.height);
}
