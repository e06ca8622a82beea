// When the full-screen saver closes: key presses, mouse buttons and wheels, losing
// activation, and mouse movement beyond the jitter threshold.
#include "close_rules.h"

void StartCloseRules(CloseRules *rules, bool preview)
{
    rules->preview = preview;
    rules->closing = false;
    rules->havePointer = false;
    rules->startX = 0;
    rules->startY = 0;
}

void SetPointerStart(CloseRules *rules, int x, int y)
{
    rules->havePointer = true;
    rules->startX = x;
    rules->startY = y;
}

bool PointerMovedTooFar(const CloseRules *rules, int x, int y)
{
    // Widened for the difference; the squares are taken only once both legs are known to
    // be short, so no pair of positions can overflow them.
    long long dx = (long long)x - rules->startX;
    long long dy = (long long)y - rules->startY;
    const long long limit = MOUSE_MOVE_THRESHOLD_PX;
    if (dx > limit || dx < -limit || dy > limit || dy < -limit)
        return true;
    return dx * dx + dy * dy > limit * limit;
}

// A mouse-move message carries the client position as two signed 16-bit halves.
static bool MouseMoveCloses(CloseRules *rules, intptr_t lParam)
{
    int x = (int16_t)(uint16_t)((uintptr_t)lParam & 0xFFFF);
    int y = (int16_t)(uint16_t)(((uintptr_t)lParam >> 16) & 0xFFFF);
    if (!rules->havePointer) {
        SetPointerStart(rules, x, y);
        return false;
    }
    return PointerMovedTooFar(rules, x, y);
}

static bool MessageCloses(CloseRules *rules, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    switch (message) {
    case SAVER_WM_KEYDOWN:
    case SAVER_WM_SYSKEYDOWN:
    case SAVER_WM_LBUTTONDOWN:
    case SAVER_WM_RBUTTONDOWN:
    case SAVER_WM_MBUTTONDOWN:
    case SAVER_WM_XBUTTONDOWN:
    case SAVER_WM_MOUSEWHEEL:
    case SAVER_WM_MOUSEHWHEEL:
        return true;
    case SAVER_WM_ACTIVATE:
        return (wParam & 0xFFFF) == 0;
    case SAVER_WM_ACTIVATEAPP:
        return wParam == 0;
    case SAVER_WM_MOUSEMOVE:
        return MouseMoveCloses(rules, lParam);
    default:
        return false;
    }
}

bool ShouldStartClosing(CloseRules *rules, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    if (rules->preview || rules->closing)
        return false;
    if (!MessageCloses(rules, message, wParam, lParam))
        return false;
    rules->closing = true;
    return true;
}
