// The web host's shared state and the calls between its files: the one saver window (the
// page's canvas), its device context, the timers, full screen and the closing state, over
// Emscripten, EGL and WebGL 1.
//
// The page has one canvas, so the host serves exactly one window, as the window procedure
// expects; HWND, HDC and HGLRC are pointers to the records below. Nothing here blocks: the
// browser owns the event loop, so every page event is handled as it comes, and timer messages
// come one per task from a timeout set for the next deadline. The page never closes itself:
// the input that closes a full-screen saver only leaves full screen, and the window is
// destroyed when the page goes away.
#ifndef TUMBLIX_WEB_HOST_H
#define TUMBLIX_WEB_HOST_H

#include <EGL/egl.h>
#include <stdint.h>
#include <windows.h>

#include "platform/common/closing.h"
#include "platform/common/stand_in_host.h"
#include "platform/common/timers.h"

struct HDC__ {
    HWND__ *window;
    int pixelFormat;     // 0 until SetPixelFormat
    EGLSurface surface;  // the canvas, once the pixel format is set
};

struct HWND__ {
    int width, height;  // the canvas's drawing buffer, in device pixels
    HDC__ dc;           // the window's one device context
};

struct HGLRC__ {
    EGLContext context;  // EGL_NO_CONTEXT when the slot is free
};

struct HostState {
    EGLDisplay display;
    EGLConfig config;  // chosen by ChoosePixelFormat
    HWND__ window;
    bool created;     // WM_CREATE has been sent
    bool destroyed;   // WM_DESTROY has been sent
    bool needsPaint;  // a new canvas size waits for WM_PAINT
    bool quitPosted;
    int quitCode;
    bool fullScreen;  // the page is full screen: the saver's input rules hold
    bool startKnown;  // startX, startY: where the pointer stood when full screen was asked for
    int startX, startY;
    long wake;        // the pending timeout of the loop, 0 when none
    uint32_t frames;  // buffer swaps so far
    TimerTable timers;
    CloseRules rules;  // armed for input while full screen only
};

extern HostState host;

// Hands one message to the window procedure, while the window lives.
void HostSend(UINT message, WPARAM wParam, LPARAM lParam);

// Sets the loop's one timeout again: at once when WM_PAINT waits, else at the next timer
// deadline, else none. Called whenever the timers or the paint state change.
void HostWake();

// WM_DESTROY, once; the timers die with the window, as on Windows.
void HostDestroyWindow();

// Sizes the canvas to the page and starts listening to the page's events.
void HostListen();

// Asks the page to leave full screen; called when the closing rule says the saver would close.
void HostLeaveFullScreen();

// Shows a short message in place of the canvas and logs it as one error.
void HostFail(const char *reason);

// Sets the viewport of the current context, if any, to the window's size after a resize.
void HostFollowResize();

#endif
