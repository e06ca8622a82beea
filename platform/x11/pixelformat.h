// Whether a window's visual can take the saver's OpenGL drawing. Pure, no X11: the GLX side
// reads a visual's traits (window.cpp), this file judges them.
//
// An X window's visual is fixed when the window is created, so the shim's one pixel format
// of a window stands for that visual: any request is answered with it as long as the visual
// draws OpenGL in RGBA (double buffering and the bits asked for are preferences, as in
// Windows' ChoosePixelFormat, which answers with the closest format rather than failing).
#ifndef TUMBLIX_X11_PIXELFORMAT_H
#define TUMBLIX_X11_PIXELFORMAT_H

// What GLX says of a visual.
struct VisualTraits {
    bool openGL;  // GLX_USE_GL
    bool rgba;    // GLX_RGBA (not colour-index)
};

// True when OpenGL can draw the saver's picture into a window of this visual.
bool VisualDraws(const VisualTraits *traits);

#endif
