// Judges a visual against a pixel format request; see pixelformat.h.
#include "pixelformat.h"

#include <string.h>

bool VisualServes(const VisualTraits *traits, const PIXELFORMATDESCRIPTOR *request) {
    if (!traits->openGL || !traits->rgba) return false;
    if (request->iPixelType != PFD_TYPE_RGBA) return false;
    if ((request->dwFlags & PFD_DOUBLEBUFFER) != 0 && !traits->doubleBuffer) return false;
    return traits->colorBits >= request->cColorBits && traits->depthBits >= request->cDepthBits;
}

PIXELFORMATDESCRIPTOR HostPixelFormatRequest() {
    PIXELFORMATDESCRIPTOR request;
    memset(&request, 0, sizeof request);
    request.nSize = sizeof request;
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = HOST_COLOR_BITS;
    request.cDepthBits = HOST_DEPTH_BITS;
    request.iLayerType = PFD_MAIN_PLANE;
    return request;
}
