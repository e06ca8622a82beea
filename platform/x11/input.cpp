// The X11 host's input as window messages: keys, buttons and pointer moves of the saver's own
// full-screen window, whose default procedure applies the closing rule.
//
// Pointer positions are the root window's, the virtual screen's, so moves across monitors are
// measured as the moves they are.
#include "platform/policy/closing.h"
#include "platform/x11/host.h"

// X numbers the buttons from 1: left, middle, right; 4 to 7 are the wheels, 8 and up side
// buttons.
static UINT ButtonPressMessage(unsigned int button)
{
    if (button >= Button4 && button <= Button5)
        return WM_MOUSEWHEEL;
    if (button == Button5 + 1 || button == Button5 + 2)
        return SAVER_WM_MOUSEHWHEEL;
    static const MouseButton NAMES[] = {MOUSE_LEFT, MOUSE_MIDDLE, MOUSE_RIGHT};
    return ButtonMessage(button >= Button1 && button <= Button3 ? NAMES[button - Button1]
                                                                : MOUSE_OTHER);
}

bool HostTranslateInput(const XEvent *event)
{
    switch (event->type) {
    case KeyPress:
        ShimSend(WM_KEYDOWN, event->xkey.keycode, 0);
        return true;
    case ButtonPress:
        ShimSend(ButtonPressMessage(event->xbutton.button), 0,
                 PointerLParam(event->xbutton.x_root, event->xbutton.y_root));
        return true;
    case MotionNotify:
        ShimSend(WM_MOUSEMOVE, 0, PointerLParam(event->xmotion.x_root, event->xmotion.y_root));
        return true;
    default:
        return false;
    }
}

void HostSendStartPointer()
{
    Window root, child;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int buttons = 0;
    if (XQueryPointer(host.display, host.window.xid, &root, &child, &rootX, &rootY, &x, &y,
                      &buttons))
        ShimSend(WM_MOUSEMOVE, 0, PointerLParam(rootX, rootY));
}
