// Which part of the saver window each monitor shows: monitor rectangles in, OpenGL viewports
// out. Plain data, no Windows or OpenGL headers, so tests call it without a display.
//
// A window over several monitors draws the whole well once in each monitor's part of it;
// a window on one monitor (or on none the list knows) is drawn as one, the whole window.
#ifndef TUMBLIX_MONITORS_H
#define TUMBLIX_MONITORS_H

#include "platform/policy/surface.h"

enum { MONITORS_DRAWN = MONITOR_CAP };  // monitors that get a picture; any further ones stay black

// A rectangle in virtual-screen pixels: the primary monitor's top-left is (0, 0), monitors
// left of or above it have negative coordinates. Right and bottom are exclusive.
struct ScreenRect {
    int left, top, right, bottom;
};

// A part of the window in window pixels from its bottom-left corner, as glViewport takes it.
struct Viewport {
    int x, y, width, height;
};

// count 0: the whole window is the one viewport, and the drawing sets none.
struct MonitorViewports {
    int count;
    Viewport parts[MONITORS_DRAWN];
};

// Called by the window procedure when it reads the monitor layout (creation, a display
// change): the part of `window` (its client area, in virtual-screen pixels) on each of the
// `count` monitors, in their order. Monitors the window does not reach are left out, and
// so is a monitor showing exactly the part another one already shows (a mirrored pair);
// fewer than two parts left means the whole window.
MonitorViewports ViewportsForMonitors(const ScreenRect *monitors, int count, ScreenRect window);

#endif
