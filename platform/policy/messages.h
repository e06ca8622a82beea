// The window-message numbers the saver and its hosts exchange, written once. They are the
// Windows numbers: the Windows host checks them against windows.h at compile time, and the
// stand-in windows.h of the other hosts defines the WM_ names from them.
#ifndef TUMBLIX_MESSAGES_H
#define TUMBLIX_MESSAGES_H

enum {
    SAVER_WM_CREATE = 0x0001,
    SAVER_WM_DESTROY = 0x0002,
    SAVER_WM_ACTIVATE = 0x0006,  // wParam low word 0 (WA_INACTIVE): the window lost activation
    SAVER_WM_PAINT = 0x000F,
    SAVER_WM_CLOSE = 0x0010,          // the owner of the window (a window manager) asks it to close
    SAVER_WM_ACTIVATEAPP = 0x001C,    // wParam 0: another program became active
    SAVER_WM_DISPLAYCHANGE = 0x007E,  // monitors were added, removed, moved or resized
    SAVER_WM_KEYDOWN = 0x0100,
    SAVER_WM_SYSKEYDOWN = 0x0104,
    SAVER_WM_TIMER = 0x0113,      // wParam: the timer id
    SAVER_WM_MOUSEMOVE = 0x0200,  // lParam: x in the low word, y in the high word, signed
    SAVER_WM_LBUTTONDOWN = 0x0201,
    SAVER_WM_RBUTTONDOWN = 0x0204,
    SAVER_WM_MBUTTONDOWN = 0x0207,
    SAVER_WM_MOUSEWHEEL = 0x020A,
    SAVER_WM_XBUTTONDOWN = 0x020B,
    SAVER_WM_MOUSEHWHEEL = 0x020E
};

// A mouse button as each host's platform names it, for ButtonMessage.
enum MouseButton { MOUSE_LEFT, MOUSE_MIDDLE, MOUSE_RIGHT, MOUSE_OTHER };

// The message of a button press, the same on every host: the three main buttons as
// themselves, any further one (back, forward and the like) as an XBUTTON press.
inline unsigned ButtonMessage(MouseButton button)
{
    static const unsigned MESSAGES[] = {SAVER_WM_LBUTTONDOWN, SAVER_WM_MBUTTONDOWN,
                                        SAVER_WM_RBUTTONDOWN, SAVER_WM_XBUTTONDOWN};
    return MESSAGES[button];
}

#endif
