// The page's input as window messages. While the page is full screen its input goes to the
// window procedure, and whatever closes a full-screen saver on the other hosts
// (platform/policy/closing.h) leaves full screen instead; outside it, a click or the F key
// asks for full screen. Mouse positions are screen coordinates, which stay put as the page
// enters and leaves full screen, so the pointer's start and its moves are measured alike.
#include <emscripten.h>

#include "platform/policy/closing.h"
#include "platform/web/host.h"

// DOM mouse buttons: 0 primary, 1 middle, 2 secondary, 3 and 4 back and forward.
enum { BUTTON_PRIMARY = 0, BUTTON_MIDDLE = 1, BUTTON_SECONDARY = 2 };

extern "C" {

// Outside full screen the primary button asks for it, and the pointer's start is where it
// was pressed; inside, every button is a mouse message.
EMSCRIPTEN_KEEPALIVE void PageButton(int button, int x, int y)
{
    if (!host.fullScreen) {
        if (button == BUTTON_PRIMARY) {
            ShimSetPointerStart(x, y);
            HostAskForFullScreen();
        }
        return;
    }
    static const MouseButton NAMES[] = {MOUSE_LEFT, MOUSE_MIDDLE, MOUSE_RIGHT};
    MouseButton name =
        button >= BUTTON_PRIMARY && button <= BUTTON_SECONDARY ? NAMES[button] : MOUSE_OTHER;
    ShimSend(ButtonMessage(name), 0, PointerLParam(x, y));
}

EMSCRIPTEN_KEEPALIVE void PageMove(int x, int y)
{
    if (host.fullScreen)
        ShimSend(WM_MOUSEMOVE, 0, PointerLParam(x, y));
}

EMSCRIPTEN_KEEPALIVE void PageWheel()
{
    if (host.fullScreen)
        ShimSend(WM_MOUSEWHEEL, 0, 0);
}

// Returns true when the key was the page's own: F asking for full screen. Without a press the
// pointer's start is unknown, so its first move sets it.
EMSCRIPTEN_KEEPALIVE int PageKey(int keyCode, int isF)
{
    if (host.fullScreen) {
        ShimSend(WM_KEYDOWN, (WPARAM)keyCode, 0);
        return 0;
    }
    if (!isF)
        return 0;
    ShimForgetPointerStart();
    HostAskForFullScreen();
    return 1;
}

// Another window took the focus: another program became active.
EMSCRIPTEN_KEEPALIVE void PageBlur()
{
    if (host.fullScreen)
        ShimSend(WM_ACTIVATEAPP, 0, 0);
}

}  // extern "C"
