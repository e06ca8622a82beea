// The null host's OpenGL: a context that takes every call the saver and the shim make and
// draws nothing (the calls are gl_calls.cpp's no-ops), so frames run with no GPU and no
// display. A real host makes its platform's contexts here and swaps its surface's buffers.
#include "platform/null/host.h"

static int contextToken;  // what the pretend context points at

static void *CreateContext()
{
    return &contextToken;
}

static bool MakeCurrent(void *)
{
    return true;
}

static void DeleteContext(void *) {}

static bool Swap()
{
    ++host.frames;
    return true;
}

// Every format draws, and there is no surface to make.
const ShimGL HOST_GL = {nullptr, nullptr, CreateContext, MakeCurrent, DeleteContext, Swap};
