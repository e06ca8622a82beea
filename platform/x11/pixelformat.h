// Whether a window's visual can take the saver's OpenGL drawing. Pure, no X11: the GLX side
// reads a visual's traits, this file judges them.
//
// An X window's visual is fixed when the window is created, so each window has exactly one
// pixel format, number 1. Like Windows' ChoosePixelFormat, which answers with the closest
// format rather than failing, the host offers that format for any request as long as the
// visual draws OpenGL in RGBA; double buffering and the colour and depth bits asked for are
// preferences. Windows the host creates itself always get a double-buffered visual with
// 8 bits per colour channel and at least HOST_DEPTH_BITS of depth.
#ifndef TUMBLIX_X11_PIXELFORMAT_H
#define TUMBLIX_X11_PIXELFORMAT_H

enum {
    HOST_PIXEL_FORMAT = 1,  // the one format number of a window
    HOST_DEPTH_BITS = 16    // depth-buffer bits of the visuals the host picks
};

// What GLX says of a visual.
struct VisualTraits {
    bool openGL;  // GLX_USE_GL
    bool rgba;    // GLX_RGBA (not colour-index)
};

// True when OpenGL can draw the saver's picture into a window of this visual.
bool VisualDraws(const VisualTraits *traits);

#endif
