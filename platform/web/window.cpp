// The page around the saver window: the canvas's size, full screen, and the page's events
// turned into the window procedure's messages, as the X11 host turns X events into them.
//
// The listeners are the few lines of JavaScript below; each hands plain numbers to one of the
// Page* entry points, and every decision is taken here. A click or the F key asks for full
// screen. While the page is full screen its input goes to the window procedure, and whatever
// closes a full-screen saver on the other hosts (platform/policy/closing.h) leaves full
// screen instead. While the page is hidden its timers wait. Mouse positions are screen coordinates, which stay put as the page enters
// and leaves full screen, so the pointer's start and its moves are measured alike.
#include <emscripten.h>

#include "platform/policy/closing.h"
#include "platform/web/host.h"

// DOM mouse buttons: 0 primary, 1 middle, 2 secondary, 3 and 4 back and forward.
enum { BUTTON_PRIMARY = 0, BUTTON_MIDDLE = 1, BUTTON_SECONDARY = 2 };

// The JavaScript keeps its own layout; the formatter would lay it out as C++.
// clang-format off

// The drawing buffer follows the canvas's size on the screen, in device pixels; setting it
// clears the canvas, so it is set only when it changes. Called once before the listeners.
EM_JS(void, ListenToPage, (), {
    var canvas = Module["canvas"];
    var sized = false;
    function fit() {
        var ratio = window.devicePixelRatio || 1;
        var width = Math.max(1, Math.round(canvas.clientWidth * ratio));
        var height = Math.max(1, Math.round(canvas.clientHeight * ratio));
        if (!sized || canvas.width != width || canvas.height != height) {
            canvas.width = width;
            canvas.height = height;
            sized = true;
            _PageResized(width, height);
        }
    }
    fit();
    window.addEventListener("resize", fit);
    document.addEventListener("fullscreenchange", function() {
        _PageFullScreen(document.fullscreenElement != null);
        fit();
    });
    window.addEventListener("mousedown", function(e) { _PageButton(e.button, e.screenX, e.screenY); });
    window.addEventListener("mousemove", function(e) { _PageMove(e.screenX, e.screenY); });
    window.addEventListener("wheel", function() { _PageWheel(); }, {passive : true});
    window.addEventListener("keydown", function(e) {
        var f = (e.key == "f" || e.key == "F") && !e.ctrlKey && !e.altKey && !e.metaKey;
        if (_PageKey(e.keyCode, f)) e.preventDefault();
    });
    window.addEventListener("blur", function() { _PageBlur(); });
    /* A hidden page (a tab in the background, a minimised window) is seen by no one. */
    document.addEventListener("visibilitychange", function() { _PageShown(!document.hidden); });
    _PageShown(!document.hidden);
    window.addEventListener("pagehide", function() { _PageClosed(); });
    /* A page brought back from the browser's history cache starts over. */
    window.addEventListener("pageshow", function(e) { if (e.persisted) location.reload(); });
});

// A browser may refuse (a frame without permission, a phone without the interface): the page
// then simply stays as it is.
EM_JS(void, AskForFullScreen, (), {
    var root = document.documentElement;
    if (root.requestFullscreen) root.requestFullscreen().catch(function() {});
});

EM_JS(void, ExitFullScreen, (), {
    if (document.fullscreenElement) document.exitFullscreen().catch(function() {});
});

EM_JS(void, ShowFailure, (const char *reason), { Module["fail"](UTF8ToString(reason)); });

// clang-format on

void HostListen()
{
    ListenToPage();
}

void HostLeaveFullScreen()
{
    ExitFullScreen();
}

void HostFail(const char *reason)
{
    ShowFailure(reason);
}

extern "C" {

EMSCRIPTEN_KEEPALIVE void PageResized(int width, int height)
{
    ShimResize(width, height);
    ShimInvalidate();
}

// The pointer's start, if the press that asked for full screen set it, holds for this full
// screen only.
EMSCRIPTEN_KEEPALIVE void PageFullScreen(int on)
{
    host.fullScreen = on != 0;
    ShimArmClosing(host.fullScreen);
    if (!host.fullScreen)
        ShimForgetPointerStart();
}

// Outside full screen the primary button asks for it, and the pointer's start is where it
// was pressed; inside, every button is a mouse message.
EMSCRIPTEN_KEEPALIVE void PageButton(int button, int x, int y)
{
    if (!host.fullScreen) {
        if (button == BUTTON_PRIMARY) {
            ShimSetPointerStart(x, y);
            AskForFullScreen();
        }
        return;
    }
    static const UINT BUTTON_MESSAGES[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
    UINT message = button >= BUTTON_PRIMARY && button <= BUTTON_SECONDARY ? BUTTON_MESSAGES[button]
                                                                          : (UINT)WM_XBUTTONDOWN;
    ShimSend(message, 0, PointerLParam(x, y));
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
    AskForFullScreen();
    return 1;
}

// Another window took the focus: another program became active.
EMSCRIPTEN_KEEPALIVE void PageBlur()
{
    if (host.fullScreen)
        ShimSend(WM_ACTIVATEAPP, 0, 0);
}

EMSCRIPTEN_KEEPALIVE void PageShown(int shown)
{
    ShimSetSeen(shown != 0);
}

EMSCRIPTEN_KEEPALIVE void PageClosed()
{
    ShimDestroy();
}

}  // extern "C"
