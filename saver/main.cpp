// The screen saver's window procedure and the drawing of each frame.
//
// On creation it starts the game, its two timers and the OpenGL context; on every timer
// message it runs one tick and draws one frame; on destruction it releases them again.
//
// The host (platform/win32, or one of the hosts over the stand-in Win32 of platform/shim)
// owns the entry, the window and the message loop, and creates exactly one window per
// process, so the state below exists once, at file scope. Everything runs on the
// message-loop thread.
#include <windows.h>
#include <scrnsave.h>
#include <GL/gl.h>

#include <string.h>

#include "game/game.h"
#include "saver/monitors.h"
#include "saver/saver.h"

int tboard[BOARD_COLUMNS][BOARD_ROWS];
float red;
float green;
float blue;
int color;
float theta = 0.0f;
float direct = 1.0f;
int count = 0;
HDC hDC;

static HGLRC hRC;
static HDC hdc;  // what BeginPaint returned; painting draws nothing, so nothing reads it
static PAINTSTRUCT ps;
// Where each monitor's picture goes in the window; none, as at load, is one picture over the
// whole window.
static MonitorViewports monitorViewports;

// Where the cells sit in normalised device coordinates, before the spin.
static const double CELL_WIDTH = 0.09;  // per column
static const double LEFT_EDGE = -0.47;  // left side of column 0
static const double CELL_HEIGHT = 0.1;  // per row
static const double ROW_ORIGIN = 0.95;  // bottom side of display row 0
static const int HIDDEN_ROWS = 2;       // board rows 0 and 1 sit above the picture
static const int SHOWN_ROWS = BOARD_ROWS - HIDDEN_ROWS;

static const double COLOR_DOWN_STEP = 0.01;  // applied in double, stored as float
static const float COLOR_UP_STEP = 0.01f;
static const float SPIN_STEP = 1.0f;    // degrees per frame
static const float FULL_TURN = 360.0f;  // degrees

void EnableOpenGL(HWND window, HDC *deviceContext, HGLRC *renderingContext)
{
    *deviceContext = GetDC(window);

    PIXELFORMATDESCRIPTOR pfd;
    memset(&pfd, 0, sizeof pfd);
    pfd.nSize = static_cast<WORD>(sizeof pfd);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 24;
    pfd.cDepthBits = 16;
    pfd.iLayerType = PFD_MAIN_PLANE;
    int format = ChoosePixelFormat(*deviceContext, &pfd);
    SetPixelFormat(*deviceContext, format, &pfd);

    *renderingContext = wglCreateContext(*deviceContext);
    wglMakeCurrent(*deviceContext, *renderingContext);
}

void DisableOpenGL(HWND window, HDC deviceContext, HGLRC renderingContext)
{
    wglMakeCurrent(NULL, NULL);
    wglDeleteContext(renderingContext);
    ReleaseDC(window, deviceContext);
}

// Lowers `down` and raises `up` by one step, or moves to phase `next` once `down` has
// reached zero; on that frame nothing changes. The two steps differ slightly (0.01 in
// double against 0.01f), so the values drift a little past 0 and 1; OpenGL clamps them.
static void StepColor(float *down, float *up, int next)
{
    if (*down <= 0) {
        color = next;
    } else {
        *down = static_cast<float>(*down - COLOR_DOWN_STEP);
        *up += COLOR_UP_STEP;
    }
}

void StartColor()
{
    color = 0;
    blue = 1.0f;
    red = 0.0f;
    green = 0.0f;
}

void CycleColor()
{
    if (color == 0) {
        StepColor(&blue, &red, 1);
    } else if (color == 1) {
        StepColor(&red, &green, 2);
    } else if (color == 2) {
        StepColor(&green, &blue, 0);
    }
}

void ComposeDisplayBoard()
{
    for (int x = 0; x < BOARD_COLUMNS; x++) {
        for (int y = 0; y < BOARD_ROWS; y++) {
            tboard[x][y] = board[x][y];
        }
    }
    // The falling piece's filled cells are all on the board; only empty grid cells can lie
    // outside it. Positions off the board are skipped on every side, so even a broken
    // piece could never write outside tboard.
    for (int i = 0; i < PIECE_GRID; i++) {
        for (int j = 0; j < PIECE_GRID; j++) {
            int column = currentPiece.x + i;
            int row = currentPiece.y + j;
            bool onBoard = column >= 0 && column < BOARD_COLUMNS && row >= 0 && row < BOARD_ROWS;
            if (onBoard && currentPiece.cells[i][j] != 0) {
                tboard[column][row] = currentPiece.cells[i][j];
            }
        }
    }
}

// One cell of display row y: a quad shaded from the block colour at its left-low corner
// to white at its left-high corner.
static void DrawCell(int x, int y)
{
    double leftSide = CELL_WIDTH * x + LEFT_EDGE;
    double rightSide = leftSide + CELL_WIDTH;
    double low = ROW_ORIGIN - CELL_HEIGHT * y;
    double high = low + CELL_HEIGHT;

    glBegin(GL_POLYGON);
    glColor3f(red, blue, green);
    glVertex2f(static_cast<float>(leftSide), static_cast<float>(low));
    glColor3f(red / 2.0f, blue / 2.0f, green / 2.0f);
    glVertex2f(static_cast<float>(rightSide), static_cast<float>(low));
    glColor3f(static_cast<float>(red * 0.75), static_cast<float>(blue * 0.75),
              static_cast<float>(green * 0.75));
    glVertex2f(static_cast<float>(rightSide), static_cast<float>(high));
    glColor3f(1.0f, 1.0f, 1.0f);
    glVertex2f(static_cast<float>(leftSide), static_cast<float>(high));
    glEnd();
}

// The well at the current spin, filling the current viewport.
static void DrawWell()
{
    glPushMatrix();
    glRotatef(theta, direct, direct, direct);
    // Bottom row first; display row y shows board row y + 2.
    for (int y = SHOWN_ROWS - 1; y >= 0; y--) {
        for (int x = 0; x < BOARD_COLUMNS; x++) {
            if (tboard[x][y + HIDDEN_ROWS] != 0) {
                DrawCell(x, y);
            }
        }
    }
    glPopMatrix();
}

// One clear for the whole window, so that what no monitor shows stays black, then the same
// picture in every monitor's part of it, then one swap.
void RenderBoard()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    if (monitorViewports.count == 0) {
        DrawWell();
    }
    for (int n = 0; n < monitorViewports.count; n++) {
        const Viewport &part = monitorViewports.parts[n];
        glViewport(part.x, part.y, part.width, part.height);
        DrawWell();
    }
    SwapBuffers(hDC);
}

void AdvanceSpin()
{
    // A float that only grew would stop changing at 2^24 degrees; a turn by theta - 360
    // is the same picture, so the angle stays below a full turn.
    theta += SPIN_STEP;
    if (theta >= FULL_TURN) {
        theta -= FULL_TURN;
    }
    count += 1;
    if (count == SPIN_FLIP_FRAMES) {
        direct = direct * -1.0f;
        count = 0;
    }
}

void DrawFrame()
{
    CycleColor();
    ComposeDisplayBoard();
    RenderBoard();
    AdvanceSpin();
}

// The monitors as the platform lists them, in virtual-screen pixels.
struct MonitorList {
    int count;
    ScreenRect rects[MONITORS_DRAWN];
};

// Adds one monitor's rectangle to the list being read; any past MONITORS_DRAWN are left out.
static BOOL CALLBACK AddMonitor(HMONITOR, HDC, RECT *area, LPARAM data)
{
    MonitorList *list = reinterpret_cast<MonitorList *>(data);
    if (list->count < MONITORS_DRAWN) {
        list->rects[list->count++] =
            ScreenRect{static_cast<int>(area->left), static_cast<int>(area->top),
                       static_cast<int>(area->right), static_cast<int>(area->bottom)};
    }
    return TRUE;
}

// Asks for the monitors and the window's place among them; a list that cannot be read counts
// as one monitor, the whole window.
static void ReadMonitors(HWND window)
{
    MonitorList list = {};
    RECT client;
    POINT origin = {0, 0};
    monitorViewports.count = 0;
    if (!GetClientRect(window, &client) || !ClientToScreen(window, &origin) ||
        !EnumDisplayMonitors(NULL, NULL, AddMonitor, reinterpret_cast<LPARAM>(&list))) {
        return;
    }
    const int left = static_cast<int>(origin.x), top = static_cast<int>(origin.y);
    const ScreenRect area = {left, top, left + static_cast<int>(client.right),
                             top + static_cast<int>(client.bottom)};
    monitorViewports = ViewportsForMonitors(list.rects, list.count, area);
}

// Creation: the game (seed, empty well, two deals, first plan), the timers, the colours, the
// context, and then the monitors it is drawn on. No timer message is handled before this
// returns, so the first tick finds the game planned and the context current.
static void CreateSaver(HWND window)
{
    StartGame();
    SetTimer(window, GRAVITY_TIMER_ID, GRAVITY_PERIOD_MS, NULL);
    SetTimer(window, STEERING_TIMER_ID, STEERING_PERIOD_MS, NULL);
    StartColor();
    EnableOpenGL(window, &hDC, &hRC);
    ReadMonitors(window);
}

// Destruction: timers first, so no frame is drawn without a context.
static void DestroySaver(HWND window)
{
    KillTimer(window, GRAVITY_TIMER_ID);
    KillTimer(window, STEERING_TIMER_ID);
    DisableOpenGL(window, hDC, hRC);
    PostQuitMessage(0);
}

LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateSaver(window);
        return 0;
    case WM_DESTROY:
        DestroySaver(window);
        return 0;
    case WM_PAINT:
        // The picture changes only with the timers; a repaint waits for the next frame.
        hdc = BeginPaint(window, &ps);
        EndPaint(window, &ps);
        return 0;
    case WM_TIMER:
        if (wParam == GRAVITY_TIMER_ID) {
            GravityTick();
        } else if (wParam == STEERING_TIMER_ID) {
            SteeringTick();
        }
        DrawFrame();
        return 0;
    case WM_DISPLAYCHANGE:
        // Monitors came, went or moved; the host may still have its own use for the news.
        ReadMonitors(window);
        return DefScreenSaverProc(window, message, wParam, lParam);
    default:
        return DefScreenSaverProc(window, message, wParam, lParam);
    }
}

// There are no settings, so the configuration dialog has nothing to handle.
BOOL WINAPI ScreenSaverConfigureDialog(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

BOOL WINAPI RegisterDialogClasses(HANDLE)
{
    return TRUE;
}
