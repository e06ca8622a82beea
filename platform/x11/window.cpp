// The saver window on X11: picking a visual, creating or adopting the window, showing it,
// and the X error handlers that keep a vanished window from killing the program.
#include <X11/Xatom.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include "platform/x11/host.h"
#include "platform/x11/pixelformat.h"
#include "platform/policy/exit_status.h"

enum {
    WINDOW_WIDTH = 640,   // pixels; about 10 by 20 square cells of the playfield
    WINDOW_HEIGHT = 576,  // pixels
    GRAB_ATTEMPTS = 20,   // tries to take keyboard and pointer in fullscreen mode
    GRAB_RETRY_MS = 50    // milliseconds between those tries
};

static int trappedError;  // first X error code since HostTrapErrors, 0 if none

static int RecordError(Display *, XErrorEvent *event)
{
    // Errors are expected only when an adopted window vanishes under us, which the loop
    // learns from DestroyNotify; nothing is printed, so no X error dump ever appears.
    if (trappedError == 0)
        trappedError = event->error_code;
    return 0;
}

static int ConnectionLost(Display *)
{
    static const char message[] = "tumblix: lost the connection to the X display\n";
    ssize_t written = write(STDERR_FILENO, message, sizeof message - 1);
    (void)written;
    _exit(EXIT_CANNOT_START);
}

void HostInstallErrorHandlers()
{
    XSetErrorHandler(RecordError);
    XSetIOErrorHandler(ConnectionLost);
}

void HostTrapErrors()
{
    XSync(host.display, False);
    trappedError = 0;
}

int HostTrappedError()
{
    XSync(host.display, False);
    return trappedError;
}

VisualTraits HostVisualTraits(XVisualInfo *visual)
{
    int useGL = 0, rgba = 0;
    VisualTraits traits = {false, false};
    if (glXGetConfig(host.display, visual, GLX_USE_GL, &useGL) != 0 || !useGL)
        return traits;
    glXGetConfig(host.display, visual, GLX_RGBA, &rgba);
    traits.openGL = true;
    traits.rgba = rgba != 0;
    return traits;
}

// Creates a window of our own with a double-buffered visual of 8 bits per colour channel
// and at least HOST_DEPTH_BITS of depth: everything the window procedure asks for.
static bool CreateOwnWindow(HostMode mode)
{
    Display *display = host.display;
    int screen = DefaultScreen(display);
    Window root = RootWindow(display, screen);
    int wanted[] = {
        GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE,    8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
        8,        GLX_DEPTH_SIZE,   HOST_DEPTH_BITS, None};
    XVisualInfo *visual = glXChooseVisual(display, screen, wanted);
    if (visual == nullptr) {
        fprintf(stderr, "tumblix: the display offers no double-buffered OpenGL visual with "
                        "24-bit colour and a depth buffer\n");
        return false;
    }
    bool fullscreen = mode == MODE_FULLSCREEN;
    int width = fullscreen ? DisplayWidth(display, screen) : WINDOW_WIDTH;
    int height = fullscreen ? DisplayHeight(display, screen) : WINDOW_HEIGHT;

    XSetWindowAttributes attributes;
    memset(&attributes, 0, sizeof attributes);
    attributes.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    attributes.background_pixel = BlackPixel(display, screen);
    attributes.border_pixel = 0;
    // Visibility: a covered window draws nothing (seen.cpp), and full screen raises itself.
    attributes.event_mask = ExposureMask | StructureNotifyMask | VisibilityChangeMask;
    unsigned long mask = CWColormap | CWBackPixel | CWBorderPixel | CWEventMask;
    if (fullscreen) {
        attributes.override_redirect = True;
        attributes.event_mask |= KeyPressMask | ButtonPressMask | PointerMotionMask;
        mask |= CWOverrideRedirect;
    }
    Window window = XCreateWindow(display, root, 0, 0, (unsigned)width, (unsigned)height, 0,
                                  visual->depth, InputOutput, visual->visual, mask, &attributes);

    XStoreName(display, window, "Tumblix");
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8, 8,
                    PropModeReplace, (const unsigned char *)"Tumblix", 7);
    XClassHint classHint = {const_cast<char *>("tumblix"), const_cast<char *>("Tumblix")};
    XSetClassHint(display, window, &classHint);
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &deleteWindow, 1);

    if (fullscreen) {
        // An empty cursor: the pointer disappears while the saver runs.
        static const char noBits[1] = {0};
        Pixmap empty = XCreateBitmapFromData(display, window, noBits, 1, 1);
        XColor black;
        memset(&black, 0, sizeof black);
        Cursor cursor = XCreatePixmapCursor(display, empty, empty, &black, &black, 0, 0);
        XDefineCursor(display, window, cursor);
        XFreePixmap(display, empty);
    }

    host.window.xid = window;
    host.window.visual = *visual;
    host.window.owned = true;
    XFree(visual);
    HostStartShim(width, height);
    return true;
}

// Adopts someone else's window, after checking it exists and can take OpenGL.
static bool AdoptWindow(Window window)
{
    Display *display = host.display;
    XWindowAttributes attributes;
    HostTrapErrors();
    Status found = XGetWindowAttributes(display, window, &attributes);
    if (HostTrappedError() != 0 || found == 0) {
        fprintf(stderr, "tumblix: there is no window 0x%lx on this display\n", window);
        return false;
    }
    if (attributes.c_class == InputOnly) {
        fprintf(stderr, "tumblix: window 0x%lx is input-only and cannot be drawn into\n", window);
        return false;
    }
    XVisualInfo wanted;
    memset(&wanted, 0, sizeof wanted);
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    int count = 0;
    XVisualInfo *visual = XGetVisualInfo(display, VisualIDMask, &wanted, &count);
    VisualTraits traits = {false, false};
    if (visual != nullptr)
        traits = HostVisualTraits(visual);
    // xscreensaver gives GL savers a window with an ideal visual; any other window that
    // OpenGL can draw into will do, though without double buffering it flickers.
    if (visual == nullptr || !VisualDraws(&traits)) {
        fprintf(stderr, "tumblix: window 0x%lx has a visual that OpenGL cannot draw into\n",
                window);
        if (visual != nullptr)
            XFree(visual);
        return false;
    }
    // Exposure, size and visibility changes only: these may be selected by any number of
    // clients, while input events belong to the window's owner.
    HostTrapErrors();
    XSelectInput(display, window, ExposureMask | StructureNotifyMask | VisibilityChangeMask);
    if (HostTrappedError() != 0) {
        fprintf(stderr, "tumblix: window 0x%lx vanished\n", window);
        XFree(visual);
        return false;
    }
    host.window.xid = window;
    host.window.visual = *visual;
    host.window.owned = false;
    XFree(visual);
    HostStartShim(attributes.width, attributes.height);
    return true;
}

bool HostPrepareWindow(HostMode mode, unsigned long windowId)
{
    host.mode = mode;
    if (mode == MODE_WINDOW || mode == MODE_FULLSCREEN)
        return CreateOwnWindow(mode);
    Window window = windowId != 0 ? (Window)windowId : DefaultRootWindow(host.display);
    return AdoptWindow(window);
}

static void SleepMs(int ms)
{
    struct timespec pause = {0, (long)ms * 1000000L};
    nanosleep(&pause, nullptr);
}

// Waits, for a bounded time, until the server has mapped our window: grabs need a
// viewable window. An override-redirect window is mapped at once.
static void WaitForMap(Window window)
{
    for (int attempt = 0; attempt < GRAB_ATTEMPTS; ++attempt) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(host.display, window, &attributes) &&
            attributes.map_state == IsViewable)
            return;
        SleepMs(GRAB_RETRY_MS);
    }
}

void HostShowWindow()
{
    if (!host.window.owned)
        return;
    Display *display = host.display;
    Window window = host.window.xid;
    XMapRaised(display, window);
    if (host.mode != MODE_FULLSCREEN) {
        XFlush(display);
        return;
    }
    WaitForMap(window);
    // Another program may hold a grab for a moment (an open menu); try for about a second.
    bool keyboard = false, pointer = false;
    for (int attempt = 0; attempt < GRAB_ATTEMPTS && !(keyboard && pointer); ++attempt) {
        if (attempt > 0)
            SleepMs(GRAB_RETRY_MS);
        if (!keyboard)
            keyboard = XGrabKeyboard(display, window, True, GrabModeAsync, GrabModeAsync,
                                     CurrentTime) == GrabSuccess;
        if (!pointer)
            pointer =
                XGrabPointer(display, window, True, ButtonPressMask | PointerMotionMask,
                             GrabModeAsync, GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
    }
    if (!keyboard)
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XFlush(display);
}
