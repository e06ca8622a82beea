// The closing rules of the Linux host; see closing.h.
#include "closing.h"

LPARAM PointerLParam(int x, int y) {
    unsigned long packed = ((unsigned long)(y & 0xFFFF) << 16) | (unsigned long)(x & 0xFFFF);
    return (LPARAM)packed;
}

// The signed 16-bit halves of an lParam, as Windows' GET_X_LPARAM and GET_Y_LPARAM.
static int LowHalf(LPARAM value) { return (short)(unsigned short)((unsigned long)value & 0xFFFF); }
static int HighHalf(LPARAM value) {
    return (short)(unsigned short)(((unsigned long)value >> 16) & 0xFFFF);
}

bool PointerMovedFar(int startX, int startY, int x, int y) {
    long long dx = (long long)x - startX;
    long long dy = (long long)y - startY;
    return dx > MOUSE_JITTER_PX || dx < -MOUSE_JITTER_PX || dy > MOUSE_JITTER_PX ||
           dy < -MOUSE_JITTER_PX;
}

bool MessageStartsClosing(HostMode mode, UINT message, LPARAM lParam, PointerStart *start) {
    if (message == WM_CLOSE) return true;
    if (mode != MODE_FULLSCREEN) return false;
    switch (message) {
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEWHEEL:
        return true;
    case WM_MOUSEMOVE: {
        int x = LowHalf(lParam), y = HighHalf(lParam);
        if (!start->known) {
            start->known = true;
            start->x = x;
            start->y = y;
            return false;
        }
        return PointerMovedFar(start->x, start->y, x, y);
    }
    default:
        return false;
    }
}
