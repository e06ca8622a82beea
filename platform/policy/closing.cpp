// The closing rule shared by every host; see closing.h.
#include "platform/policy/closing.h"

#include "platform/policy/messages.h"

void StartCloseRules(CloseRules *rules, bool closesOnInput)
{
    ArmCloseRules(rules, closesOnInput);
    ForgetPointerStart(rules);
    rules->unseen = false;
}

void ArmCloseRules(CloseRules *rules, bool closesOnInput)
{
    rules->closesOnInput = closesOnInput;
    rules->closing = false;
}

void ForgetPointerStart(CloseRules *rules)
{
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
    // Widened, so no pair of positions can overflow the difference.
    long long dx = (long long)x - rules->startX;
    long long dy = (long long)y - rules->startY;
    const long long limit = MOUSE_JITTER_PX;
    return dx > limit || dx < -limit || dy > limit || dy < -limit;
}

intptr_t PointerLParam(int x, int y)
{
    uint32_t packed = ((uint32_t)(y & 0xFFFF) << 16) | (uint32_t)(x & 0xFFFF);
    return (intptr_t)packed;
}

// A mouse-move message carries the position as two signed 16-bit halves.
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

static bool InputCloses(CloseRules *rules, unsigned message, uintptr_t wParam, intptr_t lParam)
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
    if (rules->closing)
        return false;
    bool closes = message == SAVER_WM_CLOSE ||
                  (rules->closesOnInput && InputCloses(rules, message, wParam, lParam));
    if (closes)
        rules->closing = true;
    return closes;
}

void StartClosing(CloseRules *rules)
{
    rules->closing = true;
}

void SetSeen(CloseRules *rules, bool seen)
{
    rules->unseen = !seen;
}

bool ReachesSaver(const CloseRules *rules, unsigned message)
{
    if (message == SAVER_WM_TIMER && rules->unseen)
        return false;
    return !rules->closing || (message != SAVER_WM_TIMER && message != SAVER_WM_PAINT);
}
