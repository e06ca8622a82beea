// The OpenGL entries of the X11 host's shim table, over GLX. A window has one pixel format,
// its visual (see pixelformat.h), which is there with the window: there is no surface to make.
// The shim keeps the handles and their rules.
#include "platform/x11/host.h"

static bool ChooseFormat(const PIXELFORMATDESCRIPTOR *)
{
    VisualTraits traits = HostVisualTraits(&host.window.visual);
    return VisualDraws(&traits);
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
