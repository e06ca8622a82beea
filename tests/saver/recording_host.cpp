// The recording stand-in: implements the calls the saver makes and writes each one down.
#include "tests/saver/recording_host.h"

#include <GL/gl.h>
#include <scrnsave.h>

#include <stdint.h>
#include <string.h>

const HDC FAKE_DC = reinterpret_cast<HDC>(static_cast<uintptr_t>(0x0D0));
const HGLRC FAKE_RC = reinterpret_cast<HGLRC>(static_cast<uintptr_t>(0x0C0));
const int FAKE_PIXEL_FORMAT = 7;

PIXELFORMATDESCRIPTOR lastPixelFormat;
bool setPixelFormatSawSameRecord;
void (*onSetTimer)(UINT_PTR id);
void (*onGetDC)();

static std::vector<Call> calls;
static const PIXELFORMATDESCRIPTOR *choosePixelFormatRecord;

HWND FakeWindow()
{
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(0x0A0));
}

double Handle(const void *handle)
{
    return static_cast<double>(reinterpret_cast<uintptr_t>(handle));
}

static void Record(const char *name, std::vector<double> args)
{
    calls.push_back(Call{name, args});
}

const std::vector<Call> &Calls()
{
    return calls;
}

void ClearCalls()
{
    calls.clear();
}

std::vector<Call> GlCalls()
{
    std::vector<Call> result;
    for (const Call &call : calls) {
        if (call.name.compare(0, 2, "gl") == 0) {
            result.push_back(call);
        }
    }
    return result;
}

std::vector<Call> WindowsCalls()
{
    std::vector<Call> result;
    for (const Call &call : calls) {
        if (call.name.compare(0, 2, "gl") != 0) {
            result.push_back(call);
        }
    }
    return result;
}

LRESULT DefaultResultFor(UINT message, LPARAM lParam)
{
    return static_cast<LRESULT>(0x5A000000 + message) ^ lParam;
}

// user32

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT periodMs, TIMERPROC proc)
{
    if (onSetTimer != nullptr) {
        onSetTimer(id);
    }
    Record("SetTimer", {Handle(window), static_cast<double>(id), static_cast<double>(periodMs),
                        proc == nullptr ? 0.0 : 1.0});
    return id;
}

BOOL KillTimer(HWND window, UINT_PTR id)
{
    Record("KillTimer", {Handle(window), static_cast<double>(id)});
    return TRUE;
}

HDC BeginPaint(HWND window, PAINTSTRUCT *paint)
{
    memset(paint, 0, sizeof *paint);
    paint->hdc = FAKE_DC;
    Record("BeginPaint", {Handle(window), Handle(paint)});
    return FAKE_DC;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT *paint)
{
    Record("EndPaint", {Handle(window), Handle(paint)});
    return TRUE;
}

HDC GetDC(HWND window)
{
    if (onGetDC != nullptr) {
        onGetDC();
    }
    Record("GetDC", {Handle(window)});
    return FAKE_DC;
}

int ReleaseDC(HWND window, HDC dc)
{
    Record("ReleaseDC", {Handle(window), Handle(dc)});
    return 1;
}

void PostQuitMessage(int exitCode)
{
    Record("PostQuitMessage", {static_cast<double>(exitCode)});
}

// One monitor, the window: the frame is drawn as one picture.
static const RECT FAKE_SCREEN = {0, 0, 1024, 768};

BOOL GetClientRect(HWND, RECT *area)
{
    *area = FAKE_SCREEN;
    return TRUE;
}

BOOL ClientToScreen(HWND, POINT *)
{
    return TRUE;
}

BOOL EnumDisplayMonitors(HDC dc, const RECT *, MONITORENUMPROC proc, LPARAM data)
{
    RECT monitor = FAKE_SCREEN;
    proc(nullptr, dc, &monitor, data);
    return TRUE;
}

// gdi32

int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR *format)
{
    lastPixelFormat = *format;
    choosePixelFormatRecord = format;
    Record("ChoosePixelFormat", {Handle(dc)});
    return FAKE_PIXEL_FORMAT;
}

BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR *descriptor)
{
    setPixelFormatSawSameRecord = descriptor == choosePixelFormatRecord;
    Record("SetPixelFormat", {Handle(dc), static_cast<double>(format)});
    return TRUE;
}

BOOL SwapBuffers(HDC dc)
{
    Record("SwapBuffers", {Handle(dc)});
    return TRUE;
}

// opengl32 (WGL)

HGLRC wglCreateContext(HDC dc)
{
    Record("wglCreateContext", {Handle(dc)});
    return FAKE_RC;
}

BOOL wglMakeCurrent(HDC dc, HGLRC context)
{
    Record("wglMakeCurrent", {Handle(dc), Handle(context)});
    return TRUE;
}

BOOL wglDeleteContext(HGLRC context)
{
    Record("wglDeleteContext", {Handle(context)});
    return TRUE;
}

// The host's default procedure.

LRESULT WINAPI DefScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Record("DefScreenSaverProc", {Handle(window), static_cast<double>(message),
                                  static_cast<double>(wParam), static_cast<double>(lParam)});
    return DefaultResultFor(message, lParam);
}

// OpenGL 1.1, with the signatures of <GL/gl.h>. RECORDING_GL_STUB(name, (parameters),
// (arguments)) defines a stub that records its name and those arguments as doubles.
#define RECORDED(...) __VA_ARGS__
#define RECORDING_GL_STUB(name, parameters, arguments)                                             \
    void GLAPIENTRY name parameters                                                                \
    {                                                                                              \
        Record(#name, {RECORDED arguments});                                                       \
    }

RECORDING_GL_STUB(glClearColor, (GLclampf r, GLclampf g, GLclampf b, GLclampf a), (r, g, b, a))
RECORDING_GL_STUB(glClear, (GLbitfield mask), (static_cast<double>(mask)))
RECORDING_GL_STUB(glPushMatrix, (), ())
RECORDING_GL_STUB(glPopMatrix, (), ())
RECORDING_GL_STUB(glRotatef, (GLfloat angle, GLfloat ax, GLfloat ay, GLfloat az),
                  (angle, ax, ay, az))
RECORDING_GL_STUB(glBegin, (GLenum mode), (static_cast<double>(mode)))
RECORDING_GL_STUB(glEnd, (), ())
RECORDING_GL_STUB(glColor3f, (GLfloat r, GLfloat g, GLfloat b), (r, g, b))
RECORDING_GL_STUB(glVertex2f, (GLfloat vx, GLfloat vy), (vx, vy))
RECORDING_GL_STUB(glViewport, (GLint vx, GLint vy, GLsizei width, GLsizei height),
                  (static_cast<double>(vx), static_cast<double>(vy), static_cast<double>(width),
                   static_cast<double>(height)))
