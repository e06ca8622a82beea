// Real pixels: the window procedure's first frame, drawn through the X11 host and Mesa
// into a window of known size, has the shaded cells where the board puts them, in the
// colours of the vertex table, and nothing for the hidden rows 0 and 1. Needs $DISPLAY.
#include <gtest/gtest.h>

#include <math.h>
#include <string.h>

#include "platform/x11/host.h"
#include "saver/saver.h"
#include <scrnsave.h>

namespace
{

const int WIDTH = 800;   // pixels: a cell is 36 wide
const int HEIGHT = 600;  // pixels: a cell is 30 high

struct Rgb {
    double r, g, b;  // 0..1
};

// The first frame after window creation: one colour step taken (red 0.01, blue 0.99),
// sent as (red, blue, green); the corners go block colour, half, three quarters, white.
const Rgb LEFT_LOW = {0.01, 0.99, 0.0};
const Rgb RIGHT_LOW = {0.005, 0.495, 0.0};
const Rgb RIGHT_HIGH = {0.0075, 0.7425, 0.0};
const Rgb LEFT_HIGH = {1.0, 1.0, 1.0};

Rgb Mix(double a, Rgb p, double b, Rgb q, double c, Rgb s)
{
    return {a * p.r + b * q.r + c * s.r, a * p.g + b * q.g + c * s.g, a * p.b + b * q.b + c * s.b};
}

// The colour of a cell at (u, v), its own coordinates from the left-low corner (0..1 each).
// GL_POLYGON is drawn as a fan from its first vertex (Mesa does so), so the quad is the
// triangles left-low, right-low, right-high and left-low, right-high, left-high, and the
// colour is interpolated linearly within each.
Rgb CellColour(double u, double v)
{
    if (v <= u)
        return Mix(1 - u, LEFT_LOW, u - v, RIGHT_LOW, v, RIGHT_HIGH);
    return Mix(1 - v, LEFT_LOW, u, RIGHT_HIGH, v - u, LEFT_HIGH);
}

// Pixel (x from the left, y from the top) of column `column`, display row `row`, at
// (u, v) within the cell; the cell spans x 0.09 * column - 0.47 and y 0.95 - 0.1 * row up.
void CellPixel(int column, int row, double u, double v, int *x, int *y)
{
    double ndcX = 0.09 * column - 0.47 + 0.09 * u;
    double ndcY = 0.95 - 0.1 * row + 0.1 * v;
    *x = (int)floor((ndcX + 1) / 2 * WIDTH);
    *y = HEIGHT - 1 - (int)floor((ndcY + 1) / 2 * HEIGHT);
}

// (u, v) of a pixel's centre within a cell.
void CellCoordinates(int column, int row, int x, int y, double *u, double *v)
{
    double ndcX = (x + 0.5) / WIDTH * 2 - 1;
    double ndcY = (HEIGHT - 1 - y + 0.5) / HEIGHT * 2 - 1;
    *u = (ndcX - (0.09 * column - 0.47)) / 0.09;
    *v = (ndcY - (0.95 - 0.1 * row)) / 0.1;
}

struct Screen {
    XImage *image;
};

Rgb PixelAt(const Screen &screen, int x, int y)
{
    unsigned long pixel = XGetPixel(screen.image, x, y);
    XImage *image = screen.image;
    auto channel = [pixel](unsigned long mask) {
        int shift = __builtin_ctzl(mask);
        return (double)((pixel & mask) >> shift) / (double)(mask >> shift);
    };
    return {channel(image->red_mask), channel(image->green_mask), channel(image->blue_mask)};
}

const double TOLERANCE = 3.0 / 255;  // rounding in the rasteriser and the 8-bit buffer

::testing::AssertionResult Near(Rgb got, Rgb want)
{
    if (fabs(got.r - want.r) <= TOLERANCE && fabs(got.g - want.g) <= TOLERANCE &&
        fabs(got.b - want.b) <= TOLERANCE)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got (" << got.r * 255 << ", " << got.g * 255 << ", " << got.b * 255 << ") want ("
           << want.r * 255 << ", " << want.g * 255 << ", " << want.b * 255 << ")";
}

// A window of our own with an OpenGL visual; the host adopts it as --window-id would.
Window MakeWindow(Display *display)
{
    int screen = DefaultScreen(display);
    int wanted[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
                    8,        GLX_DEPTH_SIZE,   16,           None};
    XVisualInfo *visual = glXChooseVisual(display, screen, wanted);
    if (visual == nullptr)
        return 0;
    Window root = RootWindow(display, screen);
    XSetWindowAttributes attributes = {};
    attributes.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    attributes.override_redirect = True;  // exactly where and how big we say
    Window window = XCreateWindow(display, root, 0, 0, WIDTH, HEIGHT, 0, visual->depth, InputOutput,
                                  visual->visual, CWColormap | CWOverrideRedirect, &attributes);
    XFree(visual);
    XMapRaised(display, window);
    XSync(display, False);
    return window;
}

// Board cells by board row (not display row), with the codes they hold.
struct Cell {
    int column, row, code;
};
const Cell LOCKED[] = {
    {0, 21, 2}, {9, 21, 8}, {1, 21, 5},  // the floor row, left and right walls
    {4, 12, 3}, {5, 12, 7},              // mid-air blocks, side by side
    {3, 0, 4},  {6, 1, 6},  {8, 0, 2},   // hidden rows: never drawn
};
// The falling piece, composed in: grid (1, 1) and (1, 2) at board column 7, rows 1 and 2;
// its row-1 cell is hidden, its row-2 cell shows in display row 0.
const int PIECE_X = 6, PIECE_Y = 0;

class FirstFrame : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        host.display = XOpenDisplay(nullptr);
        ASSERT_NE(host.display, nullptr) << "needs an X display";
        HostInstallErrorHandlers();
        Window window = MakeWindow(host.display);
        ASSERT_NE(window, 0ul);
        ASSERT_TRUE(HostPrepareWindow(X11_WINDOW_ID, window));

        // Creation through the window procedure: game, timers, colours, context.
        ASSERT_EQ(ShimCreate(), 0);
        ASSERT_NE(glXGetCurrentContext(), nullptr);
        memset(board, 0, sizeof board);
        for (const Cell &cell : LOCKED)
            board[cell.column][cell.row] = cell.code;
        memset(&currentPiece, 0, sizeof currentPiece);
        currentPiece.cells[1][1] = 3;
        currentPiece.cells[1][2] = 3;
        currentPiece.x = PIECE_X;
        currentPiece.y = PIECE_Y;
        currentPiece.rotationType = TURN_BOX;

        DrawFrame();  // frame 1: theta 0, so nothing is turned
        XSync(host.display, False);
        screen.image =
            XGetImage(host.display, host.window.xid, 0, 0, WIDTH, HEIGHT, AllPlanes, ZPixmap);
        ASSERT_NE(screen.image, nullptr);
    }

    static void TearDownTestSuite()
    {
        if (screen.image != nullptr)
            XDestroyImage(screen.image);
        if (host.display != nullptr && !destroyed)
            ScreenSaverProc(ShimWindow(), WM_DESTROY, 0, 0);
    }

    static Screen screen;
    static bool destroyed;
};

Screen FirstFrame::screen;
bool FirstFrame::destroyed;

// The shown cells, as (column, display row).
struct Shown {
    int column, row;
};
const Shown SHOWN[] = {{0, 19}, {9, 19}, {1, 19}, {4, 10}, {5, 10}, {7, 0}};

TEST_F(FirstFrame, CellCentresAndCornersHaveTheVertexColours)
{
    // Display row 0 reaches past the top edge; its lower half is checked below.
    for (const Shown &cell : SHOWN) {
        if (cell.row == 0)
            continue;
        // The centre (on the fan's inner edge: the mean of left-low and right-high) and
        // points two pixels in from each corner, where the vertex colours dominate.
        const double inset[][2] = {
            {0.5, 0.5}, {0.06, 0.07}, {0.94, 0.07}, {0.94, 0.93}, {0.06, 0.93}};
        for (const auto &point : inset) {
            int x = 0, y = 0;
            CellPixel(cell.column, cell.row, point[0], point[1], &x, &y);
            double u = 0, v = 0;
            CellCoordinates(cell.column, cell.row, x, y, &u, &v);
            EXPECT_TRUE(Near(PixelAt(screen, x, y), CellColour(u, v)))
                << "cell " << cell.column << "," << cell.row << " at " << x << "," << y;
        }
    }
}

TEST_F(FirstFrame, CodesDoNotChangeTheColour)
{
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    CellPixel(0, 19, 0.3, 0.6, &x0, &y0);  // code 2
    CellPixel(9, 19, 0.3, 0.6, &x1, &y1);  // code 8
    Rgb a = PixelAt(screen, x0, y0), b = PixelAt(screen, x1, y1);
    EXPECT_TRUE(Near(a, b));
}

TEST_F(FirstFrame, TopRowShowsBoardRowTwoOfTheFallingPiece)
{
    int x = 0, y = 0;
    CellPixel(7, 0, 0.5, 0.25, &x, &y);
    double u = 0, v = 0;
    CellCoordinates(7, 0, x, y, &u, &v);
    EXPECT_TRUE(Near(PixelAt(screen, x, y), CellColour(u, v)));
}

// Nothing is lit outside the shown cells: the hidden rows 0 and 1 (of the board and of the
// piece) and the empty cells stay black.
TEST_F(FirstFrame, EverythingElseIsBlack)
{
    int lit = 0, outside = 0;
    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x) {
            Rgb pixel = PixelAt(screen, x, y);
            if (pixel.r + pixel.g + pixel.b == 0)
                continue;
            ++lit;
            bool inCell = false;
            for (const Shown &cell : SHOWN) {
                double u = 0, v = 0;
                CellCoordinates(cell.column, cell.row, x, y, &u, &v);
                // Half a pixel of slack for the rasteriser's edge rule.
                const double slackU = 0.5 / 36, slackV = 0.5 / 30;
                inCell = inCell || (u > -slackU && u < 1 + slackU && v > -slackV && v < 1 + slackV);
            }
            if (!inCell)
                ++outside;
        }
    }
    EXPECT_EQ(outside, 0);
    // Five whole cells of 36 by 30 pixels and the 15 rows of the top cell that fit.
    EXPECT_NEAR(lit, 5 * 36 * 30 + 36 * 15, 5 * 36);
}

TEST_F(FirstFrame, DestructionReleasesTheContextAndPostsQuit)
{
    // The window procedure itself, not the shim's destruction, which would clean up after it.
    ScreenSaverProc(ShimWindow(), WM_DESTROY, 0, 0);
    destroyed = true;
    EXPECT_EQ(glXGetCurrentContext(), nullptr);
    int exitCode = -1;
    EXPECT_TRUE(ShimQuitPosted(&exitCode));
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(ShimWaitMs(), -1) << "both timers stopped";
}

}  // namespace
