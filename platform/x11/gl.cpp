// The OpenGL entries of the Linux host's shim table, over GLX. A window has one pixel
// format, its visual (see pixelformat.h); the shim keeps the handles and their rules.
#include "platform/x11/host.h"

static bool ChooseFormat(void *, const PIXELFORMATDESCRIPTOR *)
{
    VisualTraits traits = HostVisualTraits(&host.window.visual);
    return VisualDraws(&traits);
}

// The X window is already there, with its visual: nothing to make.
static bool MakeSurface(void *)
{
    return true;
}

static void *CreateContext(void *)
{
    return glXCreateContext(host.display, &host.window.visual, nullptr, True);
}

static bool MakeCurrent(void *, void *context)
{
    if (host.display == nullptr)
        return false;
    if (context == nullptr)
        return glXMakeCurrent(host.display, None, nullptr);
    if (host.windowGone)
        return false;
    return glXMakeCurrent(host.display, host.window.xid, (GLXContext)context);
}

static void DeleteContext(void *, void *context)
{
    glXDestroyContext(host.display, (GLXContext)context);
}

static bool Swap(void *)
{
    if (host.windowGone)
        return false;
    glXSwapBuffers(host.display, host.window.xid);
    return true;
}

const ShimGL HOST_GL = {ChooseFormat, MakeSurface, CreateContext, MakeCurrent, DeleteContext, Swap};
