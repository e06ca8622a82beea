// A recording stand-in for the Win32, WGL and OpenGL calls of the saver, so the window
// procedure and the drawing can be checked call by call without a window or a GPU.
#ifndef TUMBLIX_TESTS_RECORDING_HOST_H
#define TUMBLIX_TESTS_RECORDING_HOST_H

#include <windows.h>

#include <string>
#include <vector>

// One call: its name and its arguments in order. Floats, integers and handles are all kept
// as doubles (a float, an int and the small fake handle values below convert exactly).
struct Call {
    std::string name;
    std::vector<double> args;
};

// The handles the stand-in hands out.
HWND FakeWindow();
extern const HDC FAKE_DC;
extern const HGLRC FAKE_RC;
extern const int FAKE_PIXEL_FORMAT;

// A handle as the recorded calls keep it.
double Handle(const void *handle);

// Every recorded call since the last ClearCalls.
const std::vector<Call> &Calls();
void ClearCalls();

// Only the calls whose names start with "gl", or only the others.
std::vector<Call> GlCalls();
std::vector<Call> WindowsCalls();

// The pixel format record ChoosePixelFormat last saw, and whether SetPixelFormat got the
// same record (same address) afterwards.
extern PIXELFORMATDESCRIPTOR lastPixelFormat;
extern bool setPixelFormatSawSameRecord;

// Called inside SetTimer and GetDC before they are recorded, so a test can look at the
// game and drawing state at that moment of the creation sequence. Null means nothing.
extern void (*onSetTimer)(UINT_PTR id);
extern void (*onGetDC)();

// DefScreenSaverProc returns this value mixed with the message, so tests can tell that its
// result came back unchanged.
LRESULT DefaultResultFor(UINT message, LPARAM lParam);

#endif
