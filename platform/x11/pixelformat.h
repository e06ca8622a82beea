// Whether a window's visual serves the pixel format the window procedure asks for. Pure, no
// X11: the GLX side reads a visual's traits, this file judges them.
//
// An X window's visual is fixed when the window is created, so each window has exactly one
// pixel format, number 1; ChoosePixelFormat answers 1 when that visual serves the request
// and 0 when it does not.
#ifndef TUMBLIX_X11_PIXELFORMAT_H
#define TUMBLIX_X11_PIXELFORMAT_H

#include <windows.h>

enum {
    HOST_PIXEL_FORMAT = 1,  // the one format number of a window
    HOST_COLOR_BITS = 24,   // red + green + blue bits the host asks of the visuals it picks
    HOST_DEPTH_BITS = 16    // depth-buffer bits the host asks of the visuals it picks
};

// What GLX says of a visual.
struct VisualTraits {
    bool openGL;        // GLX_USE_GL
    bool rgba;          // GLX_RGBA
    bool doubleBuffer;  // GLX_DOUBLEBUFFER
    int colorBits;      // GLX_RED_SIZE + GLX_GREEN_SIZE + GLX_BLUE_SIZE
    int depthBits;      // GLX_DEPTH_SIZE
};

// True when a visual with `traits` gives everything `request` asks: OpenGL, RGBA, double
// buffering when asked, and at least the colour and depth bits asked. Every visual judged
// here draws with OpenGL, so a request that does not ask for OpenGL is served as well.
bool VisualServes(const VisualTraits *traits, const PIXELFORMATDESCRIPTOR *request);

// The request the host makes of a window it adopts or creates: a double-buffered RGBA
// format with HOST_COLOR_BITS colour and HOST_DEPTH_BITS depth bits.
PIXELFORMATDESCRIPTOR HostPixelFormatRequest();

#endif
