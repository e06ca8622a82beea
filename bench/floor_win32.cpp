// tumblix-floor.exe: the floor program built for Windows, to run under Wine beside
// Tumblix.scr. A window, an OpenGL context, the two SetTimer timers and one frame per
// WM_TIMER, with nothing else.
//
//   tumblix-floor.exe [WIDTH HEIGHT [CELLS]]
// WIDTH and HEIGHT default to 0 0, a borderless top-most window over the whole screen as
// the saver's /s window; CELLS is the number of polygons per frame (default 200). It runs
// until its window is closed or the process is ended.
#include <windows.h>
#include <GL/gl.h>

#include <stdlib.h>

#include "bench/floor_draw.h"
#include "platform/policy/exit_status.h"

static HDC dc;
static int cells = FLOOR_CELLS;
static float theta;

static LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        FloorDrawFrame(cells, theta);
        SwapBuffers(dc);
        theta = theta + 1.0f >= 360.0f ? 0.0f : theta + 1.0f;
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

int main(int argc, char **argv)
{
    int width = 0, height = 0;
    if (!FloorReadArguments(argc, argv, &width, &height, &cells))
        return EXIT_BAD_USAGE;

    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = FloorProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "TumblixFloor";
    RegisterClassA(&windowClass);

    DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    DWORD extendedStyle = 0;
    if (width == 0 || height == 0) {
        width = GetSystemMetrics(SM_CXSCREEN);
        height = GetSystemMetrics(SM_CYSCREEN);
        style = WS_POPUP | WS_VISIBLE;
        extendedStyle = WS_EX_TOPMOST;
    }
    HWND window = CreateWindowExA(extendedStyle, "TumblixFloor", "tumblix-floor", style, 0, 0,
                                  width, height, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return EXIT_CANNOT_START;

    dc = GetDC(window);
    // What the saver asks for: double-buffered RGBA, 24 colour bits, 16 depth bits. Only the
    // leading fields are named; the others are zero, as they are in the saver's record.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
    PIXELFORMATDESCRIPTOR format = {sizeof format, 1,
                                    PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER,
                                    PFD_TYPE_RGBA, 24};
    format.cDepthBits = 16;  // iLayerType stays PFD_MAIN_PLANE, 0
    SetPixelFormat(dc, ChoosePixelFormat(dc, &format), &format);
    HGLRC context = wglCreateContext(dc);
    if (context == nullptr || !wglMakeCurrent(dc, context))
        return EXIT_CANNOT_START;

    SetTimer(window, GRAVITY_TIMER_ID, GRAVITY_PERIOD_MS, nullptr);
    SetTimer(window, STEERING_TIMER_ID, STEERING_PERIOD_MS, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context);
    ReleaseDC(window, dc);
    return (int)message.wParam;
}
