// tumblix-floor: the least a program can do to show the saver's frames on X11, as the floor
// that the benchmarks measure the saver against. No game, no message translation: a window
// with the visual the saver picks, the two timers as plain deadlines, and one frame per tick.
//
//   tumblix-floor [WIDTH HEIGHT [CELLS]]
// WIDTH and HEIGHT default to the saver's window (640 by 576); 0 0 covers the whole screen.
// CELLS is the number of polygons per frame (default 200). It runs until it is killed.
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>

#include "bench/floor_draw.h"
#include "bench/floor_ticks.h"
#include "platform/policy/exit_status.h"

static const int DEFAULT_WIDTH = 640;   // pixels: the size of `tumblix --window`
static const int DEFAULT_HEIGHT = 576;  // pixels

struct Shown {
    Display *display;
    Window window;
};

static void Swap(void *data)
{
    Shown *shown = (Shown *)data;
    glXSwapBuffers(shown->display, shown->window);
}

static int Usage()
{
    fprintf(stderr, "usage: tumblix-floor [WIDTH HEIGHT [CELLS]]  (0 0: the whole screen)\n");
    return EXIT_BAD_USAGE;
}

int main(int argc, char **argv)
{
    int width = DEFAULT_WIDTH, height = DEFAULT_HEIGHT, cells = FLOOR_CELLS;
    if (!FloorReadArguments(argc, argv, &width, &height, &cells))
        return Usage();

    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        fprintf(stderr, "tumblix-floor: cannot open the display\n");
        return EXIT_CANNOT_START;
    }
    int screen = DefaultScreen(display);
    Window root = RootWindow(display, screen);
    int wanted[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
                    8,        GLX_DEPTH_SIZE,   16,           None};
    XVisualInfo *visual = glXChooseVisual(display, screen, wanted);
    if (visual == nullptr) {
        fprintf(stderr, "tumblix-floor: no double-buffered OpenGL visual\n");
        return EXIT_CANNOT_START;
    }
    bool fullscreen = width == 0 || height == 0;
    if (fullscreen) {
        width = DisplayWidth(display, screen);
        height = DisplayHeight(display, screen);
    }
    XSetWindowAttributes attributes = {};
    attributes.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    attributes.override_redirect = fullscreen;
    Window window =
        XCreateWindow(display, root, 0, 0, (unsigned)width, (unsigned)height, 0, visual->depth,
                      InputOutput, visual->visual, CWColormap | CWOverrideRedirect, &attributes);
    XStoreName(display, window, "tumblix-floor");
    XMapRaised(display, window);
    GLXContext context = glXCreateContext(display, visual, nullptr, True);
    if (context == nullptr || !glXMakeCurrent(display, window, context)) {
        fprintf(stderr, "tumblix-floor: cannot make an OpenGL context\n");
        return EXIT_CANNOT_START;
    }

    Shown shown = {display, window};
    FloorRunTicks(cells, Swap, &shown);
}
