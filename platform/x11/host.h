// The X11 host's own state and the calls between its files, over Xlib and GLX. The saver
// window itself (its handles, timers, closing rule and queued paint) is the shim's
// (platform/shim/shim.h); this record holds what X knows of it.
//
// The host serves exactly one window per process, as the window procedure expects. A window
// is either created by the host (X11_WINDOW, X11_FULLSCREEN) or adopted (X11_ROOT,
// X11_WINDOW_ID); an adopted window belongs to someone else and is never destroyed, grabbed
// or given input masks that only one client may hold.
#ifndef TUMBLIX_X11_HOST_H
#define TUMBLIX_X11_HOST_H

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "platform/shim/shim.h"
#include "platform/x11/options.h"

struct X11Window {
    Window xid;
    XVisualInfo visual;  // the window's visual, as GLX sees it
    bool owned;          // created by the host, so the host destroys it
};

struct HostState {
    Display *display;
    X11Mode mode;
    X11Window window;
    bool windowGone;  // the window was destroyed by someone else
};

extern HostState host;

// X errors: the host's handler records errors and never exits. Trapping clears the record;
// HostTrappedError syncs with the server and returns the first error code since (0 if none).
void HostInstallErrorHandlers();
void HostTrapErrors();
int HostTrappedError();

// Makes host.window the saver window: creates it (window and fullscreen modes) or adopts
// the given window (root and window-id modes; id 0 means the root window), and starts the
// shim with its size. Prints a one-line error and returns false when that cannot be done.
bool HostPrepareWindow(X11Mode mode, unsigned long windowId);

// After WM_CREATE: maps a window the host created and, in fullscreen mode, takes the
// keyboard and pointer.
void HostShowWindow();

// True when OpenGL can draw the saver's picture into a window of this visual: GLX draws into
// it, in RGBA (not colour-index).
bool HostVisualDraws(XVisualInfo *visual);

// Starts the shim for a window of this size, with the host's table (loop.cpp).
void HostStartShim(int width, int height, bool closesOnInput);

// The OpenGL entries of the shim's table, over GLX (gl.cpp).
extern const ShimGL HOST_GL;

// The monitor entries of the shim's table, over RandR or Xinerama (monitors.cpp).
extern const ShimMonitors HOST_MONITORS;

// Asks for RandR's screen-change events, once the display is open.
void HostWatchMonitors();

// True when `event` says the monitor layout changed: the loop sends WM_DISPLAYCHANGE.
bool HostMonitorsChanged(XEvent *event);

// Input of the saver's own window as window messages (input.cpp): true when `event` was a
// key, button or pointer move. HostSendStartPointer tells the closing rule where the pointer
// stands as the full-screen saver starts.
bool HostTranslateInput(const XEvent *event);
void HostSendStartPointer();

// Whether anyone can see the window (seen.cpp): HostWatchSeen once the display is open;
// HostVisibilityChanged with each VisibilityNotify state of the window; HostSeenWaitMs before
// every sleep, which reads the monitor's power state when it is due and returns `waitMs`
// (-1: no limit) shortened to the next reading.
void HostWatchSeen();
void HostVisibilityChanged(int state);
int HostSeenWaitMs(int waitMs);

// The loop: sends WM_CREATE, then messages one at a time until a quit is posted, and
// returns the quit code. The termination signals are the ones caught at the program's start
// (platform/posix/stop_signals.h).
int HostRun();

#endif
