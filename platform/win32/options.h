// Reads the screen-saver command line into a plain record; no Windows headers, so it builds
// and is tested on any platform.
//
// Accepted forms (the switch letter in either case, introduced by '/' or '-'):
//   (nothing)        configure, no parent
//   /c  /c:<hwnd>  /c <hwnd>    configure, parent window given or not
//   /s               full screen
//   /p <hwnd>  /p:<hwnd>        preview, as a child of the given window (required)
//   /a <hwnd>  /a:<hwnd>        change the password (nothing to do on NT)
// A handle is a decimal number without sign that fits a pointer. Anything else, including
// a second argument, a zero or overflowing handle for /p, or an unknown letter, is
// SAVER_MODE_INVALID and the host ends without showing a window.
#ifndef TUMBLIX_WIN32_OPTIONS_H
#define TUMBLIX_WIN32_OPTIONS_H

#include <stdint.h>

enum SaverMode {
    SAVER_MODE_INVALID,
    SAVER_MODE_CONFIGURE,
    SAVER_MODE_FULL_SCREEN,
    SAVER_MODE_PREVIEW,
    SAVER_MODE_PASSWORD
};

struct SaverCommand {
    SaverMode mode;
    uintptr_t window;  // the handle that followed the switch, 0 when none was given
};

// Called once by WinMain with the text after the program name (never NULL; may be empty).
SaverCommand ParseSaverCommandLine(const char *text);

#endif
