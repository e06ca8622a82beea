// The few Win32 and WGL types, constants and calls that the saver's window procedure uses,
// declared for the hosts that are not Windows. The shim (platform/shim) implements them once,
// over the table each host supplies (shim.h), so saver/main.cpp compiles unchanged
// everywhere. Values match the Windows headers.
#ifndef TUMBLIX_STAND_IN_WINDOWS_H
#define TUMBLIX_STAND_IN_WINDOWS_H

#include <stddef.h>
#include <stdint.h>

#include "platform/policy/messages.h"

#define WINAPI
#define CALLBACK
#ifndef APIENTRY  // GL/gl.h may have defined it, empty, first
#define APIENTRY
#endif

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef unsigned int UINT;
typedef long LONG;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef uintptr_t UINT_PTR;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Handles are opaque pointers to the shim's records (records.h); hosts never see inside.
typedef struct HWND__ *HWND;
typedef struct HDC__ *HDC;
typedef struct HGLRC__ *HGLRC;
typedef struct HINSTANCE__ *HINSTANCE;
typedef struct HMONITOR__ *HMONITOR;
typedef void *HANDLE;

typedef void(CALLBACK *TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

typedef struct tagRECT {
    LONG left, top, right, bottom;
} RECT;

typedef struct tagPOINT {
    LONG x, y;
} POINT;

// Called once per monitor, with its rectangle in virtual-screen pixels; FALSE stops the listing.
typedef BOOL(CALLBACK *MONITORENUMPROC)(HMONITOR, HDC, RECT *, LPARAM);

typedef struct tagPAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
} PAINTSTRUCT;

typedef struct tagPIXELFORMATDESCRIPTOR {
    WORD nSize;
    WORD nVersion;
    DWORD dwFlags;
    BYTE iPixelType;
    BYTE cColorBits;
    BYTE cRedBits;
    BYTE cRedShift;
    BYTE cGreenBits;
    BYTE cGreenShift;
    BYTE cBlueBits;
    BYTE cBlueShift;
    BYTE cAlphaBits;
    BYTE cAlphaShift;
    BYTE cAccumBits;
    BYTE cAccumRedBits;
    BYTE cAccumGreenBits;
    BYTE cAccumBlueBits;
    BYTE cAccumAlphaBits;
    BYTE cDepthBits;
    BYTE cStencilBits;
    BYTE cAuxBuffers;
    BYTE iLayerType;
    BYTE bReserved;
    DWORD dwLayerMask;
    DWORD dwVisibleMask;
    DWORD dwDamageMask;
} PIXELFORMATDESCRIPTOR;

// Window messages.
#define WM_CREATE SAVER_WM_CREATE
#define WM_DESTROY SAVER_WM_DESTROY
#define WM_PAINT SAVER_WM_PAINT
#define WM_CLOSE SAVER_WM_CLOSE
#define WM_KEYDOWN SAVER_WM_KEYDOWN
#define WM_TIMER SAVER_WM_TIMER
#define WM_MOUSEMOVE SAVER_WM_MOUSEMOVE
#define WM_LBUTTONDOWN SAVER_WM_LBUTTONDOWN
#define WM_RBUTTONDOWN SAVER_WM_RBUTTONDOWN
#define WM_MBUTTONDOWN SAVER_WM_MBUTTONDOWN
#define WM_MOUSEWHEEL SAVER_WM_MOUSEWHEEL
#define WM_XBUTTONDOWN SAVER_WM_XBUTTONDOWN
#define WM_ACTIVATEAPP SAVER_WM_ACTIVATEAPP
#define WM_DISPLAYCHANGE SAVER_WM_DISPLAYCHANGE

// Pixel format flags and types.
#define PFD_DOUBLEBUFFER 0x00000001
#define PFD_DRAW_TO_WINDOW 0x00000004
#define PFD_SUPPORT_OPENGL 0x00000020
#define PFD_TYPE_RGBA 0
#define PFD_MAIN_PLANE 0

// user32
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT periodMs, TIMERPROC proc);
BOOL KillTimer(HWND window, UINT_PTR id);
HDC BeginPaint(HWND window, PAINTSTRUCT *paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT *paint);
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
void PostQuitMessage(int exitCode);
BOOL GetClientRect(HWND window, RECT *area);
BOOL ClientToScreen(HWND window, POINT *point);
// Only the whole virtual screen: no device context and no clipping rectangle.
BOOL EnumDisplayMonitors(HDC dc, const RECT *clip, MONITORENUMPROC proc, LPARAM data);

// gdi32
int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR *format);
BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR *descriptor);
BOOL SwapBuffers(HDC dc);

// opengl32
HGLRC wglCreateContext(HDC dc);
BOOL wglMakeCurrent(HDC dc, HGLRC context);
BOOL wglDeleteContext(HGLRC context);

#endif
