// The Linux host's shared state and the calls between its files: the one saver window, its
// device context, the timers and the closing state, over Xlib and GLX.
//
// The host serves exactly one window per process, as the window procedure expects. HWND,
// HDC and HGLRC are pointers to the records below. A window is either created by the host
// (MODE_WINDOW, MODE_FULLSCREEN) or adopted (MODE_ROOT, MODE_WINDOW_ID); an adopted window
// belongs to someone else and is never destroyed, grabbed or given input masks that only
// one client may hold.
#ifndef TUMBLIX_X11_HOST_H
#define TUMBLIX_X11_HOST_H

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdint.h>
#include <windows.h>

#include "platform/x11/options.h"
#include "platform/x11/pixelformat.h"
#include "platform/common/closing.h"
#include "platform/common/stand_in_host.h"
#include "platform/common/timers.h"

struct HDC__ {
    HWND__ *window;
    int pixelFormat;  // 0 until SetPixelFormat
};

struct HWND__ {
    Window xid;
    XVisualInfo visual;  // the window's visual, as GLX sees it
    bool owned;          // created by the host, so the host destroys it
    int width, height;
    HDC__ dc;  // the window's one device context
};

struct HGLRC__ {
    GLXContext context;  // null when the slot is free
};

struct HostState {
    Display *display;
    HostMode mode;
    HWND__ window;
    bool created;     // WM_CREATE has been sent; window is the saver window
    bool closing;     // from now on no WM_TIMER or WM_PAINT reaches the window procedure
    bool destroyed;   // WM_DESTROY has been sent
    bool windowGone;  // the window was destroyed by someone else
    bool needsPaint;  // an exposure waits for WM_PAINT
    bool quitPosted;
    int quitCode;
    TimerTable timers;
    CloseRules rules;  // armed for input in fullscreen mode only
};

extern HostState host;

// X errors: the host's handler records errors and never exits. Trapping clears the record;
// HostTrappedError syncs with the server and returns the first error code since (0 if none).
void HostInstallErrorHandlers();
void HostTrapErrors();
int HostTrappedError();

// Makes host.window the saver window: creates it (window and fullscreen modes) or adopts
// the given window (root and window-id modes; id 0 means the root window). Prints a
// one-line error and returns false when that cannot be done.
bool HostPrepareWindow(HostMode mode, unsigned long windowId);

// After WM_CREATE: maps a window the host created and, in fullscreen mode, takes the
// keyboard and pointer.
void HostShowWindow();

// Reads GLX's traits of a visual.
VisualTraits HostVisualTraits(XVisualInfo *visual);

// The loop: sends WM_CREATE, then messages one at a time until a quit is posted, and
// returns the quit code. Signals are caught from HostCatchSignals on.
void HostCatchSignals();
int HostRun();

// Releases the current OpenGL context, if any, so the window can go.
void HostReleaseCurrentContext();

// Sets the viewport of the current context, if any, to the window's size after a resize.
void HostFollowResize();

#endif
