// x11-probe: the small X client the end-to-end tests use to make, find, inspect and read
// windows on their private Xvfb, so they need no further X utilities.
//
//   x11-probe hold X Y W H     make a mapped, OpenGL-capable window; print its id; sleep until killed
//   x11-probe close ID         ask window ID to close, as a window manager does (WM_DELETE_WINDOW)
//   x11-probe destroy ID       destroy window ID, as a crashing window manager or xdotool might
//   x11-probe clear ID|root    paint window ID, or the root window, black
//   x11-probe find NAME        print the id of the top-level window named NAME, or fail
//   x11-probe top              print the id of the top-most mapped top-level window
//   x11-probe info ID          print "x y width height override-redirect viewable" of window ID
//   x11-probe lit X Y W H      print how many pixels of that screen area are not dark
//   x11-probe pointer          print "x y" of the pointer
//   x11-probe cursor           print "shown" or "hidden": whether the cursor on screen has a visible pixel
// Exit status 0 on success, 1 on failure (message on stderr), 2 on bad arguments.
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static const int DARK_LEVEL = 40;  // a channel above this (of 255) counts as lit

static Display *display;

static int Fail(const char *what)
{
    fprintf(stderr, "x11-probe: %s\n", what);
    return 1;
}

static long Number(const char *text)
{
    return strtol(text, nullptr, 0);
}

static int Hold(int x, int y, int width, int height)
{
    int screen = DefaultScreen(display);
    int wanted[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_DEPTH_SIZE, 16, None};
    XVisualInfo *visual = glXChooseVisual(display, screen, wanted);
    if (visual == nullptr)
        return Fail("no OpenGL visual");
    Window root = RootWindow(display, screen);
    XSetWindowAttributes attributes = {};
    attributes.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    attributes.background_pixel = BlackPixel(display, screen);
    attributes.event_mask = ExposureMask;
    Window window = XCreateWindow(display, root, x, y, (unsigned)width, (unsigned)height, 0,
                                  visual->depth, InputOutput, visual->visual,
                                  CWColormap | CWBackPixel | CWEventMask, &attributes);
    XStoreName(display, window, "x11-probe");
    XMapWindow(display, window);
    XSync(display, False);
    printf("0x%lx\n", window);
    fflush(stdout);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
    }
}

static int Close(Window window)
{
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return 0;
}

static int Clear(Window window)
{
    XSetWindowBackground(display, window, BlackPixel(display, DefaultScreen(display)));
    XClearWindow(display, window);
    XSync(display, False);
    return 0;
}

static int Find(const char *name)
{
    Window root, parent, *children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    for (unsigned int i = 0; i < count; ++i) {
        char *title = nullptr;
        if (XFetchName(display, children[i], &title) && title != nullptr) {
            bool match = strcmp(title, name) == 0;
            XFree(title);
            if (match) {
                printf("0x%lx\n", children[i]);
                return 0;
            }
        }
    }
    return 1;
}

static int Top()
{
    Window root, parent, *children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    for (unsigned int i = count; i-- > 0;) {  // bottom to top, so walk back from the end
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable) {
            printf("0x%lx\n", children[i]);
            return 0;
        }
    }
    return 1;
}

static int Info(Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return Fail("no such window");
    printf("%d %d %d %d %d %d\n", attributes.x, attributes.y, attributes.width, attributes.height,
           attributes.override_redirect ? 1 : 0, attributes.map_state == IsViewable ? 1 : 0);
    return 0;
}

// One colour channel of a pixel, scaled to 0..255.
static unsigned long Channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;
    unsigned long value = (pixel & mask) >> __builtin_ctzl(mask);
    unsigned long top = mask >> __builtin_ctzl(mask);
    return value * 255 / top;
}

static int Lit(int x, int y, int width, int height)
{
    XImage *image = XGetImage(display, DefaultRootWindow(display), x, y, (unsigned)width,
                              (unsigned)height, AllPlanes, ZPixmap);
    if (image == nullptr)
        return Fail("cannot read the screen");
    long lit = 0;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            unsigned long pixel = XGetPixel(image, column, row);
            unsigned long r = Channel(pixel, image->red_mask),
                          g = Channel(pixel, image->green_mask),
                          b = Channel(pixel, image->blue_mask);
            if (r > DARK_LEVEL || g > DARK_LEVEL || b > DARK_LEVEL)
                ++lit;
        }
    }
    XDestroyImage(image);
    printf("%ld\n", lit);
    return 0;
}

static int Pointer()
{
    Window root, child;
    int x = 0, y = 0, windowX = 0, windowY = 0;
    unsigned int buttons = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &windowX, &windowY,
                  &buttons);
    printf("%d %d\n", x, y);
    return 0;
}

// The cursor image the server shows now, as 32-bit ARGB: alpha 0 everywhere is no cursor.
static int CursorState()
{
    int eventBase = 0, errorBase = 0;
    if (!XFixesQueryExtension(display, &eventBase, &errorBase))
        return Fail("no XFIXES extension");
    XFixesCursorImage *image = XFixesGetCursorImage(display);
    if (image == nullptr)
        return Fail("cannot read the cursor");
    long visible = 0;
    for (long i = 0; i < (long)image->width * image->height; ++i)
        if ((image->pixels[i] >> 24) & 0xFF)
            ++visible;
    XFree(image);
    printf("%s\n", visible > 0 ? "shown" : "hidden");
    return 0;
}

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return Fail("cannot open display");
    const char *command = argv[1];
    if (strcmp(command, "hold") == 0 && argc == 6)
        return Hold((int)Number(argv[2]), (int)Number(argv[3]), (int)Number(argv[4]),
                    (int)Number(argv[5]));
    if (strcmp(command, "close") == 0 && argc == 3)
        return Close((Window)Number(argv[2]));
    if (strcmp(command, "destroy") == 0 && argc == 3) {
        XDestroyWindow(display, (Window)Number(argv[2]));
        XSync(display, False);
        return 0;
    }
    if (strcmp(command, "clear") == 0 && argc == 3)
        return Clear(strcmp(argv[2], "root") == 0 ? DefaultRootWindow(display)
                                                  : (Window)Number(argv[2]));
    if (strcmp(command, "find") == 0 && argc == 3)
        return Find(argv[2]);
    if (strcmp(command, "top") == 0 && argc == 2)
        return Top();
    if (strcmp(command, "info") == 0 && argc == 3)
        return Info((Window)Number(argv[2]));
    if (strcmp(command, "lit") == 0 && argc == 6)
        return Lit((int)Number(argv[2]), (int)Number(argv[3]), (int)Number(argv[4]),
                   (int)Number(argv[5]));
    if (strcmp(command, "pointer") == 0 && argc == 2)
        return Pointer();
    if (strcmp(command, "cursor") == 0 && argc == 2)
        return CursorState();
    fprintf(stderr, "x11-probe: bad arguments\n");
    return 2;
}
