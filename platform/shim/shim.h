// The stand-in Win32 seen from a host that is not Windows: the table of platform calls the
// host supplies, and the saver window the shim keeps for it.
//
// The shim owns the one saver window of the process (HWND, its one HDC, the timers, the
// closing rule, the queued paint, the quit message and the OpenGL context slots); the host
// owns its platform (display, surfaces, input, the loop) and reaches the window only through
// the calls below. A host serves one window per process, so its own record is a global of its
// own and the table's calls take no pointer to it. Everything runs on the host's one thread.
#ifndef TUMBLIX_SHIM_H
#define TUMBLIX_SHIM_H

#include <stdint.h>
#include <windows.h>

enum { SHIM_PIXEL_FORMAT = 1 };  // a window's one pixel format number

// The OpenGL part of what a host supplies, for the pixel-format and WGL calls. The first two
// may be null: every format then draws, and there is no surface to make.
struct ShimGL {
    // True when the window's surface can take the saver's drawing with about this format.
    bool (*choosePixelFormat)(const PIXELFORMATDESCRIPTOR *format);
    bool (*makeSurface)();               // once, when the pixel format is set
    void *(*createContext)();            // a new OpenGL context, null on failure
    bool (*makeCurrent)(void *context);  // null: no context current
    void (*deleteContext)(void *context);
    bool (*swapBuffers)();
};

// The monitor part of what a host supplies, for EnumDisplayMonitors and ClientToScreen. A host
// that leaves both null has the window as its one monitor, at the origin.
struct ShimMonitors {
    // The monitors, in virtual-screen pixels, at most `capacity` of them; returns how many, 0
    // when it cannot tell (the window is then the one monitor).
    int (*list)(RECT *monitors, int capacity);
    // Where the window's top-left pixel lies in virtual-screen pixels.
    POINT (*windowOrigin)();
};

// What a host supplies. Each call answers for the one saver window.
struct ShimHost {
    int64_t (*now)();        // nanoseconds on a monotonic clock, for the timers
    void (*queueChanged)();  // a timer set or killed, a paint queued: wake up anew
    void (*inputCloses)();   // the closing rule says this input closes the saver
    ShimGL gl;
    ShimMonitors monitors;
};

// For the table of a host whose loop looks at the queue and the closing state afresh before
// every sleep: the monotonic clock of POSIX, and a call that has nothing to do.
int64_t ShimMonotonicNs();
void ShimNothingToDo();

// Called by the host's entry once, before anything else: the window is `width` by `height`
// device pixels, and closes on input when `closesOnInput` (the full-screen saver).
void ShimStart(const ShimHost *host, int width, int height, bool closesOnInput);

// The saver window, for the host's calls into the window procedure.
HWND ShimWindow();

// Sends WM_CREATE and returns the window procedure's answer; from then on the window is live
// until ShimDestroy.
LRESULT ShimCreate();

// Hands one message to the window procedure while the window lives; once closing has
// started, paint and timer messages stop here.
void ShimSend(UINT message, WPARAM wParam, LPARAM lParam);

// Hands out the message due next, WM_PAINT before one WM_TIMER; false when neither is due.
bool ShimSendQueued();

// Milliseconds the loop may sleep before a message comes due: 0 when one is due now, -1 when
// only some other event can bring one.
int ShimWaitMs();

// The host's clock, as the timers read it.
int64_t ShimNow();

// The window has a new size (device pixels): the viewport of the current context follows.
void ShimResize(int width, int height);
void ShimWindowSize(int *width, int *height);

// Part of the window needs painting (an exposure): WM_PAINT is queued.
void ShimInvalidate();

// The closing rule of the window, for hosts whose input rules change while it runs (the web
// page entering full screen), and for the pointer's start position.
void ShimArmClosing(bool closesOnInput);
void ShimSetPointerStart(int x, int y);
void ShimForgetPointerStart();

// Closing starts for a reason of the host's own (a signal, the window gone under it).
void ShimStartClosing();
bool ShimClosing();

// WM_DESTROY, once; the timers die with the window, as on Windows, the current context is
// released and the quit message posted if the window procedure did not.
void ShimDestroy();

// True from ShimCreate until ShimDestroy.
bool ShimWindowLives();

// True once the quit message is posted, with its exit code.
bool ShimQuitPosted(int *exitCode);

// The bookkeeping of one turn of a host's loop, before it handles an event or waits: `stop`
// (a signal came) starts closing, and once closing has started the host's `takeDown` takes the
// window away (it calls ShimDestroy). False when the loop is over: the quit message is posted,
// and *exitCode is its code.
bool ShimLoopGoesOn(bool stop, void (*takeDown)(), int *exitCode);

#endif
