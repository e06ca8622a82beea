// The pixel-format and WGL calls of the hosts that are not Windows: which handles are valid
// and in what order, written once; the host's table does the platform's part.
//
// As on Windows, a window's pixel format is set once and for all, and deleting the current
// context first makes it not current.
#include "platform/shim/records.h"

int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR *format)
{
    if (dc == nullptr || format == nullptr || !WindowLives(dc->window))
        return 0;
    bool draws =
        shim.host.gl.choosePixelFormat == nullptr || shim.host.gl.choosePixelFormat(format);
    return draws ? SHIM_PIXEL_FORMAT : 0;
}

BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR *)
{
    if (dc == nullptr || !WindowLives(dc->window) || format != SHIM_PIXEL_FORMAT)
        return FALSE;
    if (dc->pixelFormat != 0)
        return dc->pixelFormat == format ? TRUE : FALSE;
    if (shim.host.gl.makeSurface != nullptr && !shim.host.gl.makeSurface())
        return FALSE;
    dc->pixelFormat = format;
    return TRUE;
}

static bool DrawsInto(HDC dc)
{
    return dc != nullptr && WindowLives(dc->window) && dc->pixelFormat != 0;
}

BOOL SwapBuffers(HDC dc)
{
    if (!DrawsInto(dc))
        return FALSE;
    return shim.host.gl.swapBuffers() ? TRUE : FALSE;
}

HGLRC wglCreateContext(HDC dc)
{
    if (!DrawsInto(dc))
        return nullptr;
    for (HGLRC__ &slot : shim.contexts) {
        if (slot.context != nullptr)
            continue;
        slot.context = shim.host.gl.createContext();
        return slot.context != nullptr ? &slot : nullptr;
    }
    return nullptr;
}

static bool IsLiveContext(HGLRC rc)
{
    for (HGLRC__ &slot : shim.contexts)
        if (rc == &slot)
            return slot.context != nullptr;
    return false;
}

void ReleaseCurrentContext()
{
    if (shim.current != nullptr)
        shim.host.gl.makeCurrent(nullptr);
    shim.current = nullptr;
}

BOOL wglMakeCurrent(HDC dc, HGLRC rc)
{
    if (rc == nullptr) {
        shim.current = nullptr;
        return shim.host.gl.makeCurrent(nullptr) ? TRUE : FALSE;
    }
    if (!DrawsInto(dc) || !IsLiveContext(rc))
        return FALSE;
    if (!shim.host.gl.makeCurrent(rc->context))
        return FALSE;
    shim.current = rc;
    return TRUE;
}

BOOL wglDeleteContext(HGLRC rc)
{
    if (!IsLiveContext(rc))
        return FALSE;
    if (shim.current == rc)
        ReleaseCurrentContext();
    shim.host.gl.deleteContext(rc->context);
    rc->context = nullptr;
    return TRUE;
}
