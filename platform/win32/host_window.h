// The screen-saver host's window side: the window procedure that wraps ScreenSaverProc and
// the state it shares with the program entry.
#ifndef TUMBLIX_WIN32_HOST_WINDOW_H
#define TUMBLIX_WIN32_HOST_WINDOW_H

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

#endif
