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
#include <errno.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include "bench/floor_draw.h"
#include "platform/policy/exit_status.h"

static const int DEFAULT_WIDTH = 640;   // pixels: the size of `tumblix --window`
static const int DEFAULT_HEIGHT = 576;  // pixels
static const int64_t NS_PER_MS = 1000000;

struct Tick {
    int64_t periodNs;
    int64_t deadlineNs;
};

static int64_t Now()
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (int64_t)now.tv_sec * 1000000000 + now.tv_nsec;
}

static void SleepUntil(int64_t deadlineNs)
{
    struct timespec when = {(time_t)(deadlineNs / 1000000000), (long)(deadlineNs % 1000000000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &when, nullptr) == EINTR) {
    }
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

    Tick ticks[2] = {{GRAVITY_PERIOD_MS * NS_PER_MS, 0}, {STEERING_PERIOD_MS * NS_PER_MS, 0}};
    int64_t start = Now();
    for (Tick &tick : ticks)
        tick.deadlineNs = start + tick.periodNs;
    float theta = 0.0f;
    for (;;) {
        int64_t soonest =
            ticks[0].deadlineNs < ticks[1].deadlineNs ? ticks[0].deadlineNs : ticks[1].deadlineNs;
        SleepUntil(soonest);
        int64_t now = Now();
        for (Tick &tick : ticks) {
            if (tick.deadlineNs > now)
                continue;
            // A late tick is one frame, however many periods it missed, as with WM_TIMER.
            tick.deadlineNs += ((now - tick.deadlineNs) / tick.periodNs + 1) * tick.periodNs;
            FloorDrawFrame(cells, theta);
            glXSwapBuffers(display, window);
            theta = theta + 1.0f >= 360.0f ? 0.0f : theta + 1.0f;
        }
    }
}
