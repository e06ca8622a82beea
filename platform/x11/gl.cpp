// The OpenGL entries of the X11 host's shim table, over GLX; the shim keeps the handles and
// their rules.
//
// An X window's visual is fixed when the window is created, so the shim's one pixel format of
// a window stands for that visual, and there is no surface to make. Any request is answered
// with it as long as the visual draws OpenGL in RGBA: double buffering and the bits asked for
// are preferences, as in Windows' ChoosePixelFormat, which answers with the closest format
// rather than failing.
#include "platform/x11/host.h"

static bool ChooseFormat(const PIXELFORMATDESCRIPTOR *)
{
    return HostVisualDraws(&host.window.visual);
}

static void *CreateContext()
{
    return glXCreateContext(host.display, &host.window.visual, nullptr, True);
}

static bool MakeCurrent(void *context)
{
    if (host.display == nullptr)
        return false;
    if (context == nullptr)
        return glXMakeCurrent(host.display, None, nullptr);
    if (host.windowGone)
        return false;
    return glXMakeCurrent(host.display, host.window.xid, (GLXContext)context);
}

static void DeleteContext(void *context)
{
    glXDestroyContext(host.display, (GLXContext)context);
}

static bool Swap()
{
    if (host.windowGone)
        return false;
    glXSwapBuffers(host.display, host.window.xid);
    return true;
}

const ShimGL HOST_GL = {ChooseFormat, nullptr, CreateContext, MakeCurrent, DeleteContext, Swap};
