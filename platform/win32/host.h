// The calls between the Windows host's files: the window procedure that wraps
// ScreenSaverProc (window.cpp) and the message loop (loop.cpp), for the program entry.
#ifndef TUMBLIX_WIN32_HOST_H
#define TUMBLIX_WIN32_HOST_H

#include <windows.h>

// Called by WinMain once, before it creates the saver window: arms the closing rules for a
// full-screen window (preview false) or disarms them for a preview. In full screen,
// pointer_known says whether (pointer_x, pointer_y), the pointer's start position in the
// window's client pixels, is valid.
void PrepareHostWindow(bool preview, bool pointer_known, int pointer_x, int pointer_y);

// The window procedure of the saver window's class. Hands every message to ScreenSaverProc,
// except paint and timer messages once closing has started, and posts the quit message
// when the window is destroyed.
LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the thread's message loop until the quit message and returns its exit code, or
// EXIT_CANNOT_START when the loop itself fails.
int RunMessageLoop(void);

#endif
