// The screen-saver host interface on the hosts that are not Windows, as on Windows: the
// callbacks the program supplies and the default window procedure the host supplies.
#ifndef TUMBLIX_STAND_IN_SCRNSAVE_H
#define TUMBLIX_STAND_IN_SCRNSAVE_H

#include <windows.h>

// Supplied by the program.
LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL WINAPI ScreenSaverConfigureDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
BOOL WINAPI RegisterDialogClasses(HANDLE instance);

// Supplied by the host: closing rules and everything the program does not handle.
LRESULT WINAPI DefScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
