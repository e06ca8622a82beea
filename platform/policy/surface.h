// What the saver's window looks like to the desktop, the same on every host: its name, its
// size as a window, the monitors it follows, and the surface its OpenGL drawing needs.
#ifndef TUMBLIX_SURFACE_H
#define TUMBLIX_SURFACE_H

#define SAVER_TITLE_TEXT "Tumblix"  // the window's title
#define SAVER_APP_ID "tumblix"      // its class or app id, for window rules and icons

enum {
    SAVER_WINDOW_WIDTH = 640,   // pixels of a window; about 10 by 20 square cells of the playfield
    SAVER_WINDOW_HEIGHT = 576,  // pixels
    MONITOR_CAP = 16,           // monitors or outputs followed at once; further ones stay black
    // What the saver's pixel format descriptor asks for (EnableOpenGL). Hosts whose surface
    // is made before the window procedure asks (an X window's visual, a Wayland EGL config)
    // make it to these.
    SURFACE_COLOR_BITS = 24,  // bits of RGB, 8 a channel
    SURFACE_DEPTH_BITS = 16   // bits of the depth buffer
};

#endif
