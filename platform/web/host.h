// The web host's own state and the calls between its files, over Emscripten, EGL and WebGL 1.
// The saver window itself (its handles, timers, closing rule and queued paint) is the shim's
// (platform/shim/shim.h); this record holds the page's side of it.
//
// The page has one canvas, so the host serves exactly one window, as the window procedure
// expects. Nothing here blocks: the browser owns the event loop, so every page event is handled
// as it comes, and timer messages come one per task from a timeout set for the next deadline.
// The page never closes itself: the input that closes a full-screen saver only leaves full
// screen, and the window is destroyed when the page goes away.
#ifndef TUMBLIX_WEB_HOST_H
#define TUMBLIX_WEB_HOST_H

#include <EGL/egl.h>
#include <stdint.h>

#include "platform/shim/shim.h"

struct HostState {
    EGLDisplay display;
    EGLConfig config;    // chosen by ChoosePixelFormat
    EGLSurface surface;  // the canvas, once the pixel format is set
    bool fullScreen;     // the page is full screen: the saver's input rules hold
    long wake;           // the pending timeout of the loop, 0 when none
    uint32_t frames;     // buffer swaps so far
};

extern HostState host;

// Starts the shim for a window of this size, with the host's table (loop.cpp).
void HostStartShim(int width, int height, bool closesOnInput);

// The OpenGL entries of the shim's table, over EGL (gl.cpp).
extern const ShimGL HOST_GL;

// Sets the loop's one timeout again: at once when a message is due, else at the next timer
// deadline, else none. Called whenever the timers or the paint state change.
void HostWake();

// Sizes the canvas to the page and starts listening to the page's events.
void HostListen();

// Asks the page to enter full screen (a click or F outside it), or to leave it (when the
// closing rule says the saver would close). A browser may refuse; the page then stays as it is.
void HostAskForFullScreen();
void HostLeaveFullScreen();

// Shows a short message in place of the canvas and logs it as one error.
void HostFail(const char *reason);

#endif
