// The window procedure against the recording stand-in: creation and destruction order, the
// pixel format, timer dispatch, painting, and what it leaves to the host.
#include <gtest/gtest.h>

#include <string.h>

#include "autopilot/TumblixAI.h"
#include "tests/saver/expect_calls.h"
#include "tests/saver/recording_host.h"
#include "saver/saver.h"

#include <scrnsave.h>

namespace
{

double H(const void *handle)
{
    return static_cast<double>(reinterpret_cast<uintptr_t>(handle));
}

bool PieceDealt(const PIECE &piece)
{
    int filled = 0;
    for (int i = 0; i < PIECE_GRID; i++) {
        for (int j = 0; j < PIECE_GRID; j++) {
            filled += piece.cells[i][j] != 0;
        }
    }
    return filled == 4 && piece.rotationType >= TURN_WHOLE_GRID && piece.rotationType <= TURN_NEVER;
}

// What the creation sequence had done when the first timer started and when the context
// was begun.
bool boardEmptyAtFirstTimer;
bool piecesDealtAtFirstTimer;
bool coloursSetAtGetDC;

void CheckGameAtFirstTimer(UINT_PTR id)
{
    if (id != GRAVITY_TIMER_ID) {
        return;
    }
    boardEmptyAtFirstTimer = true;
    for (int x = 0; x < BOARD_COLUMNS; x++) {
        for (int y = 0; y < BOARD_ROWS; y++) {
            boardEmptyAtFirstTimer = boardEmptyAtFirstTimer && board[x][y] == 0;
        }
    }
    piecesDealtAtFirstTimer = PieceDealt(currentPiece) && PieceDealt(nextPiece) &&
                              currentPiece.x == 3 && currentPiece.y == 0;
}

void CheckColoursAtGetDC()
{
    const float r = red, g = green, b = blue;
    const int phase = color;
    StartColor();
    coloursSetAtGetDC = phase == color && r == red && g == green && b == blue;
}

void Create()
{
    ClearCalls();
    ASSERT_EQ(ScreenSaverProc(FakeWindow(), WM_CREATE, 0, 0), 0);
}

TEST(ScreenSaverProc, CreationStartsGameThenTimersThenColoursThenContext)
{
    // Leftovers that creation must replace (board, colours) or keep (spin).
    for (int x = 0; x < BOARD_COLUMNS; x++) {
        for (int y = 0; y < BOARD_ROWS; y++) {
            board[x][y] = 5;
        }
    }
    memset(&currentPiece, 0, sizeof currentPiece);
    memset(&nextPiece, 0, sizeof nextPiece);
    color = 2;
    red = green = blue = 0.3f;
    theta = 42.0f;
    direct = -1.0f;
    count = 7;
    onSetTimer = CheckGameAtFirstTimer;
    onGetDC = CheckColoursAtGetDC;
    Create();
    onSetTimer = nullptr;
    onGetDC = nullptr;

    const double w = H(FakeWindow()), dc = H(FAKE_DC), rc = H(FAKE_RC);
    ExpectCalls(Calls(), {
                             {"SetTimer", {w, 1, 40, 0}},
                             {"SetTimer", {w, 2, 20, 0}},
                             {"GetDC", {w}},
                             {"ChoosePixelFormat", {dc}},
                             {"SetPixelFormat", {dc, static_cast<double>(FAKE_PIXEL_FORMAT)}},
                             {"wglCreateContext", {dc}},
                             {"wglMakeCurrent", {dc, rc}},
                         });
    EXPECT_TRUE(boardEmptyAtFirstTimer);
    EXPECT_TRUE(piecesDealtAtFirstTimer);
    EXPECT_TRUE(coloursSetAtGetDC);
    EXPECT_EQ(hDC, FAKE_DC);
    // The spin carries over from one window to the next.
    EXPECT_EQ(theta, 42.0f);
    EXPECT_EQ(direct, -1.0f);
    EXPECT_EQ(count, 7);
}

TEST(ScreenSaverProc, PixelFormatRecordAsksForDoubleBufferedRgbaWithDepth)
{
    Create();
    static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "the Windows layout");
    const unsigned char want[40] = {
        40,   0,                                // nSize
        1,    0,                                // nVersion
        0x25, 0, 0, 0,                          // draw to window, support OpenGL, double buffer
        0,                                      // RGBA
        24,                                     // colour bits
        0,    0, 0, 0, 0, 0, 0, 0,              // channel bits and shifts, alpha
        0,    0, 0, 0, 0,                       // accumulation
        16,                                     // depth bits
        0,    0,                                // stencil, auxiliary buffers
        0,                                      // main plane
        0,                                      // reserved
        0,    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // masks
    };
    unsigned char got[40];
    memcpy(got, &lastPixelFormat, sizeof got);
    for (int n = 0; n < 40; n++) {
        EXPECT_EQ(got[n], want[n]) << "byte " << n;
    }
    EXPECT_TRUE(setPixelFormatSawSameRecord);
}

TEST(ScreenSaverProc, DestructionStopsTimersBeforeReleasingTheContext)
{
    Create();
    ClearCalls();
    EXPECT_EQ(ScreenSaverProc(FakeWindow(), WM_DESTROY, 0, 0), 0);
    const double w = H(FakeWindow());
    ExpectCalls(Calls(), {
                             {"KillTimer", {w, 1}},
                             {"KillTimer", {w, 2}},
                             {"wglMakeCurrent", {0, 0}},
                             {"wglDeleteContext", {H(FAKE_RC)}},
                             {"ReleaseDC", {w, H(FAKE_DC)}},
                             {"PostQuitMessage", {0}},
                         });
}

bool SamePiece(const PIECE &a, const PIECE &b)
{
    return memcmp(&a, &b, sizeof a) == 0;
}

// A well whose columns 0..8 are filled in the bottom ten rows and a bar at the entry
// position: the plan needs a turn and moves to stand the bar in column 9.
void SetUpBarAndWell()
{
    Create();
    memset(board, 0, sizeof board);
    for (int x = 0; x < BOARD_COLUMNS - 1; x++) {
        for (int y = 12; y < BOARD_ROWS; y++) {
            board[x][y] = 3;
        }
    }
    memset(&currentPiece, 0, sizeof currentPiece);
    currentPiece.rotationType = TURN_WHOLE_GRID;
    for (int i = 0; i < PIECE_GRID; i++) {
        currentPiece.cells[i][1] = 2;
    }
    currentPiece.x = 3;
    currentPiece.y = 0;
    thinkAI(board, &currentPiece);
    ClearCalls();
}

int Swaps()
{
    int swaps = 0;
    for (const Call &call : Calls()) {
        swaps += call.name == "SwapBuffers";
    }
    return swaps;
}

TEST(ScreenSaverProc, TimerIdPicksTheTickAndEveryTimerMessageDrawsOneFrame)
{
    SetUpBarAndWell();
    PIECE before = currentPiece;
    float angle = theta;

    // An unknown id makes no tick but still draws a frame.
    EXPECT_EQ(ScreenSaverProc(FakeWindow(), WM_TIMER, 77, 0), 0);
    EXPECT_TRUE(SamePiece(currentPiece, before));
    EXPECT_EQ(Swaps(), 1);
    EXPECT_NE(theta, angle);

    // Timer 2 steers: the piece turns or moves sideways, never down.
    ClearCalls();
    EXPECT_EQ(ScreenSaverProc(FakeWindow(), WM_TIMER, STEERING_TIMER_ID, 0), 0);
    EXPECT_FALSE(SamePiece(currentPiece, before));
    EXPECT_EQ(currentPiece.y, 0);
    EXPECT_EQ(Swaps(), 1);

    // Timer 1 is gravity: one row down, nothing else.
    before = currentPiece;
    ClearCalls();
    EXPECT_EQ(ScreenSaverProc(FakeWindow(), WM_TIMER, GRAVITY_TIMER_ID, 0), 0);
    EXPECT_EQ(currentPiece.y, 1);
    EXPECT_EQ(currentPiece.x, before.x);
    EXPECT_EQ(memcmp(currentPiece.cells, before.cells, sizeof before.cells), 0);
    EXPECT_EQ(Swaps(), 1);

    // The frame shows the state after the tick: the piece one row lower.
    for (int i = 0; i < PIECE_GRID; i++) {
        for (int j = 0; j < PIECE_GRID; j++) {
            if (currentPiece.cells[i][j] != 0) {
                EXPECT_EQ(tboard[currentPiece.x + i][currentPiece.y + j], currentPiece.cells[i][j]);
            }
        }
    }
    // Nothing but the frame's swap reaches Windows on a timer message.
    EXPECT_EQ(WindowsCalls().size(), 1u);
}

TEST(ScreenSaverProc, PaintValidatesAndDrawsNothing)
{
    SetUpBarAndWell();
    const PIECE before = currentPiece;
    const float angle = theta, r = red, g = green, b = blue;
    EXPECT_EQ(ScreenSaverProc(FakeWindow(), WM_PAINT, 0, 0), 0);
    const std::vector<Call> calls = Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].name, "BeginPaint");
    EXPECT_EQ(calls[1].name, "EndPaint");
    EXPECT_EQ(calls[0].args, calls[1].args) << "the same window and paint record";
    EXPECT_EQ(calls[0].args[0], H(FakeWindow()));
    EXPECT_TRUE(SamePiece(currentPiece, before));
    EXPECT_EQ(theta, angle);
    EXPECT_EQ(red, r);
    EXPECT_EQ(green, g);
    EXPECT_EQ(blue, b);
}

TEST(ScreenSaverProc, PassesEveryOtherMessageToTheHostUnchanged)
{
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    const Message messages[] = {
        {WM_KEYDOWN, 0x41, 0x001E0001},
        {WM_MOUSEMOVE, 0, (200 << 16) | 300},
        {WM_LBUTTONDOWN, 1, 0},
        {WM_CLOSE, 0, 0},
        {0x0006, 0, 0},                          // WM_ACTIVATE, losing activation
        {0x0020, 0x1234, -1},                    // WM_SETCURSOR
        {0x8000, ~static_cast<WPARAM>(0), -77},  // WM_APP, the password check
    };
    for (const Message &m : messages) {
        ClearCalls();
        const LRESULT result = ScreenSaverProc(FakeWindow(), m.message, m.wParam, m.lParam);
        EXPECT_EQ(result, DefaultResultFor(m.message, m.lParam)) << "message " << m.message;
        ExpectCalls(Calls(), {{"DefScreenSaverProc",
                               {H(FakeWindow()), static_cast<double>(m.message),
                                static_cast<double>(m.wParam), static_cast<double>(m.lParam)}}});
    }
}

TEST(HostCallbacks, NoConfigurationDialogAndNoClassesToRegister)
{
    ClearCalls();
    // FALSE for every message, the dialog's initialisation (0x0110) included.
    for (UINT message = 0; message <= 0x0500; message++) {
        ASSERT_EQ(ScreenSaverConfigureDialog(FakeWindow(), message, 1, 2), FALSE) << message;
    }
    EXPECT_EQ(ScreenSaverConfigureDialog(nullptr, 0x8000, 0, 0), FALSE);
    EXPECT_EQ(RegisterDialogClasses(nullptr), TRUE);
    EXPECT_EQ(RegisterDialogClasses(reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x400000))),
              TRUE);
    EXPECT_TRUE(Calls().empty());
}

}  // namespace
