// The saver window on X11: picking a visual, creating or adopting the window, showing it,
// and the X error handlers that keep a vanished window from killing the program.
#include <X11/Xatom.h>
#include <string.h>
#include <time.h>

#include "platform/policy/surface.h"
#include "platform/posix/say.h"
#include "platform/x11/host.h"

enum {
    GRAB_ATTEMPTS = 20,  // tries to take keyboard and pointer in fullscreen mode
    GRAB_RETRY_MS = 50   // milliseconds between those tries
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

static int DisplayLost(Display *)
{
    ConnectionLost("the X display");
}

void HostInstallErrorHandlers()
{
    XSetErrorHandler(RecordError);
    XSetIOErrorHandler(DisplayLost);
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

bool HostVisualDraws(XVisualInfo *visual)
{
    int useGL = 0, rgba = 0;
    if (glXGetConfig(host.display, visual, GLX_USE_GL, &useGL) != 0 || !useGL)
        return false;
    glXGetConfig(host.display, visual, GLX_RGBA, &rgba);
    return rgba != 0;
}

// The window's names for the window manager, and its close button's protocol.
static void NameWindow(Display *display, Window window)
{
    XStoreName(display, window, SAVER_TITLE_TEXT);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8, 8,
                    PropModeReplace, (const unsigned char *)SAVER_TITLE_TEXT,
                    (int)strlen(SAVER_TITLE_TEXT));
    XClassHint classHint = {const_cast<char *>(SAVER_APP_ID), const_cast<char *>(SAVER_TITLE_TEXT)};
    XSetClassHint(display, window, &classHint);
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &deleteWindow, 1);
}

// An empty cursor: the pointer disappears while the saver runs.
static void HideCursor(Display *display, Window window)
{
    static const char noBits[1] = {0};
    Pixmap empty = XCreateBitmapFromData(display, window, noBits, 1, 1);
    XColor black;
    memset(&black, 0, sizeof black);
    Cursor cursor = XCreatePixmapCursor(display, empty, empty, &black, &black, 0, 0);
    XDefineCursor(display, window, cursor);
    XFreePixmap(display, empty);
}

// A double-buffered visual with the colour and depth the saver's pixel format asks for.
static XVisualInfo *ChooseOwnVisual(Display *display, int screen)
{
    const int channelBits = SURFACE_COLOR_BITS / 3;
    int wanted[] = {GLX_RGBA,       GLX_DOUBLEBUFFER,   GLX_RED_SIZE,  channelBits,
                    GLX_GREEN_SIZE, channelBits,        GLX_BLUE_SIZE, channelBits,
                    GLX_DEPTH_SIZE, SURFACE_DEPTH_BITS, None};
    XVisualInfo *visual = glXChooseVisual(display, screen, wanted);
    if (visual == nullptr)
        Say("the display offers no double-buffered OpenGL visual with %d-bit colour and a "
            "depth buffer",
            SURFACE_COLOR_BITS);
    return visual;
}

// Creates a window of our own, with everything the window procedure asks for: a window of
// the default size, or in fullscreen mode the whole screen, above everything, taking input.
static bool CreateOwnWindow(X11Mode mode)
{
    Display *display = host.display;
    int screen = DefaultScreen(display);
    Window root = RootWindow(display, screen);
    XVisualInfo *visual = ChooseOwnVisual(display, screen);
    if (visual == nullptr)
        return false;
    bool fullscreen = mode == X11_FULLSCREEN;
    int width = fullscreen ? DisplayWidth(display, screen) : SAVER_WINDOW_WIDTH;
    int height = fullscreen ? DisplayHeight(display, screen) : SAVER_WINDOW_HEIGHT;

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
    NameWindow(display, window);
    if (fullscreen)
        HideCursor(display, window);

    host.window.xid = window;
    host.window.visual = *visual;
    host.window.owned = true;
    XFree(visual);
    HostStartShim(width, height, fullscreen);
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
        Say("there is no window 0x%lx on this display", window);
        return false;
    }
    if (attributes.c_class == InputOnly) {
        Say("window 0x%lx is input-only and cannot be drawn into", window);
        return false;
    }
    XVisualInfo wanted;
    memset(&wanted, 0, sizeof wanted);
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    int count = 0;
    XVisualInfo *visual = XGetVisualInfo(display, VisualIDMask, &wanted, &count);
    // xscreensaver gives GL savers a window with an ideal visual; any other window that
    // OpenGL can draw into will do, though without double buffering it flickers.
    if (visual == nullptr || !HostVisualDraws(visual)) {
        Say("window 0x%lx has a visual that OpenGL cannot draw into", window);
        if (visual != nullptr)
            XFree(visual);
        return false;
    }
    // Exposure, size and visibility changes only: these may be selected by any number of
    // clients, while input events belong to the window's owner.
    HostTrapErrors();
    XSelectInput(display, window, ExposureMask | StructureNotifyMask | VisibilityChangeMask);
    if (HostTrappedError() != 0) {
        Say("window 0x%lx vanished", window);
        XFree(visual);
        return false;
    }
    host.window.xid = window;
    host.window.visual = *visual;
    host.window.owned = false;
    XFree(visual);
    HostStartShim(attributes.width, attributes.height, false);
    return true;
}

bool HostPrepareWindow(X11Mode mode, unsigned long windowId)
{
    host.mode = mode;
    if (mode == X11_WINDOW || mode == X11_FULLSCREEN)
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
    if (host.mode != X11_FULLSCREEN) {
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
