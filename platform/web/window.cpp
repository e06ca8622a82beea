// The page around the saver window: the canvas's size, full screen, the page going away, and
// the listeners that hand the page's events to the Page* entry points (input.cpp has those
// of the input).
//
// The listeners are the few lines of JavaScript below; each hands plain numbers to one of the
// Page* entry points, and every decision is taken in C++. A click or the F key asks for full
// screen; while the page is full screen the saver's input rules hold.
#include <emscripten.h>

#include "platform/web/host.h"

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

void HostAskForFullScreen()
{
    AskForFullScreen();
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

EMSCRIPTEN_KEEPALIVE void PageClosed()
{
    ShimDestroy();
}

}  // extern "C"
