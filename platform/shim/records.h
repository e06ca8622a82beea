// The records behind the stand-in's handles, shared by the shim's own files only; hosts see
// the handles as opaque pointers.
//
// There is one saver window per process, so one of each: `shim.window` with its one device
// context. HGLRC points at a context slot, which holds the host's context or null when free.
#ifndef TUMBLIX_SHIM_RECORDS_H
#define TUMBLIX_SHIM_RECORDS_H

#include "platform/policy/closing.h"
#include "platform/policy/surface.h"
#include "platform/policy/timers.h"
#include "platform/shim/shim.h"

// The saver needs one rendering context, and the hosts' EGL and GLX sides keep one.
enum { CONTEXT_SLOTS = 1 };
enum { MONITOR_SLOTS = MONITOR_CAP };  // monitors EnumDisplayMonitors lists at most

struct HDC__ {
    HWND__ *window;
    int pixelFormat;  // 0 until SetPixelFormat
};

struct HWND__ {
    int width, height;  // device pixels
    HDC__ dc;           // the window's one device context
};

// A monitor as EnumDisplayMonitors last listed it.
struct HMONITOR__ {
    RECT area;  // virtual-screen pixels
};

struct HGLRC__ {
    void *context;  // the host's context, null when the slot is free
};

struct ShimState {
    ShimHost host;
    HWND__ window;
    bool created;     // WM_CREATE has been sent
    bool destroyed;   // WM_DESTROY has been sent
    bool needsPaint;  // WM_PAINT waits
    bool quitPosted;
    int quitCode;
    TimerTable timers;
    CloseRules rules;
    HGLRC__ contexts[CONTEXT_SLOTS];
    HGLRC__ *current;  // the context made current, null when none
    HMONITOR__ monitors[MONITOR_SLOTS];
};

extern ShimState shim;

// True when `window` is the saver window and it lives: created, not yet destroyed.
bool WindowLives(HWND window);

// Makes no context current, if one is.
void ReleaseCurrentContext();

#endif
