// Frame drawing without a window: the colour drift, the spin, the display board and the
// OpenGL calls of one frame.
#include <gtest/gtest.h>

#include <string.h>

#include "tests/saver/expect_calls.h"
#include "tests/saver/recording_host.h"
#include "saver/saver.h"

namespace
{

// The state a fresh process has after window creation.
void ResetDrawing()
{
    StartColor();
    theta = 0.0f;
    direct = 1.0f;
    count = 0;
    memset(board, 0, sizeof board);
    memset(&currentPiece, 0, sizeof currentPiece);
    memset(tboard, 0, sizeof tboard);
    hDC = FAKE_DC;
    ClearCalls();
}

void SetColour(float r, float g, float b)
{
    red = r;
    green = g;
    blue = b;
}

TEST(CycleColor, FirstFrameAlreadyStepsFromGreenTowardsRed)
{
    ResetDrawing();
    CycleColor();
    EXPECT_EQ(color, 0);
    EXPECT_NEAR(red, 0.01, 1e-7);
    EXPECT_NEAR(blue, 0.99, 1e-7);
    EXPECT_EQ(green, 0.0f);
}

TEST(CycleColor, PhasesMoveOnFrames102_205_309AndThenEvery104)
{
    ResetDrawing();
    std::vector<int> changes;
    for (int frame = 1; frame <= 20000; frame++) {
        const int phase = color;
        const float r = red, g = green, b = blue;
        CycleColor();
        if (color != phase) {
            changes.push_back(frame);
            EXPECT_EQ(color, (phase + 1) % 3) << "frame " << frame;
            // The frame that moves the phase changes no value.
            EXPECT_EQ(red, r) << "frame " << frame;
            EXPECT_EQ(green, g) << "frame " << frame;
            EXPECT_EQ(blue, b) << "frame " << frame;
        }
        if (frame == 102) {
            // The lowered value ends just below zero and the raised one just above one.
            // Lowering by 0.01f in float would end at -0.0099993292 instead.
            EXPECT_NEAR(blue, -0.00999934, 3e-9);
            EXPECT_NEAR(red, 1.0099994, 1e-7);
        }
    }
    std::vector<int> expected = {102, 205, 309};
    while (expected.back() + 104 <= 20000) {
        expected.push_back(expected.back() + 104);
    }
    EXPECT_EQ(changes, expected);
}

TEST(CycleColor, EachPhaseLowersOneValueAndRaisesTheNext)
{
    ResetDrawing();
    color = 1;
    SetColour(0.5f, 0.25f, 0.75f);
    CycleColor();
    EXPECT_NEAR(red, 0.49, 1e-7);
    EXPECT_NEAR(green, 0.26, 1e-7);
    EXPECT_EQ(blue, 0.75f);

    color = 2;
    CycleColor();
    EXPECT_NEAR(green, 0.25, 1e-7);
    EXPECT_NEAR(blue, 0.76, 1e-7);
    EXPECT_NEAR(red, 0.49, 1e-7);

    green = 0.0f;  // a lowered value at zero ends the phase
    CycleColor();
    EXPECT_EQ(color, 0);
}

TEST(AdvanceSpin, OneDegreePerFrameAxisFlipsEvery1000Frames)
{
    ResetDrawing();
    for (int frame = 1; frame <= 3500; frame++) {
        // Frame n is drawn with the angle n - 1, kept below a full turn.
        ASSERT_EQ(theta, static_cast<float>((frame - 1) % 360)) << "frame " << frame;
        ASSERT_EQ(direct, ((frame - 1) / 1000) % 2 == 0 ? 1.0f : -1.0f) << "frame " << frame;
        AdvanceSpin();
    }
}

TEST(AdvanceSpin, AngleStillAdvancesAfter2To24Frames)
{
    // A float angle that only grows stops at 16777216 degrees.
    ResetDrawing();
    const int frames = 1 << 24;
    for (int frame = 0; frame < frames; frame++) {
        AdvanceSpin();
    }
    EXPECT_EQ(theta, static_cast<float>(frames % 360));
    EXPECT_EQ(count, frames % 1000);
    EXPECT_EQ(direct, (frames / 1000) % 2 == 0 ? 1.0f : -1.0f);
    const float before = theta;
    AdvanceSpin();
    EXPECT_EQ(theta, before + 1.0f);
}

TEST(ComposeDisplayBoard, CopiesBoardAndOverlaysThePieceIncludingHiddenRows)
{
    ResetDrawing();
    board[0][21] = 2;
    board[9][2] = 8;
    board[4][0] = 5;  // hidden rows are copied like any other
    // A bar lying in grid row 1 at the top: board row 1, not visible.
    currentPiece.rotationType = TURN_WHOLE_GRID;
    currentPiece.x = 3;
    currentPiece.y = 0;
    for (int i = 0; i < PIECE_GRID; i++) {
        currentPiece.cells[i][1] = 2;
    }
    tboard[7][10] = 6;  // left over from an earlier frame

    ComposeDisplayBoard();

    for (int x = 0; x < BOARD_COLUMNS; x++) {
        for (int y = 0; y < BOARD_ROWS; y++) {
            int want = board[x][y];
            if (y == 1 && x >= 3 && x <= 6) {
                want = 2;
            }
            EXPECT_EQ(tboard[x][y], want) << "column " << x << " row " << y;
        }
    }
    EXPECT_EQ(board[3][1], 0) << "the falling piece never reaches board";
}

int OccupiedCells()
{
    int occupied = 0;
    for (int x = 0; x < BOARD_COLUMNS; x++) {
        for (int y = 0; y < BOARD_ROWS; y++) {
            occupied += tboard[x][y] != 0;
        }
    }
    return occupied;
}

TEST(ComposeDisplayBoard, SkipsGridCellsOffTheBoard)
{
    ResetDrawing();
    // An S-like piece at the right wall and on the floor: grid column 3 and grid row 3 lie
    // off the board on the right and below; the piece's cells are all on it.
    currentPiece.rotationType = TURN_BOX;
    currentPiece.x = 7;
    currentPiece.y = 19;
    currentPiece.cells[1][1] = 4;
    currentPiece.cells[2][1] = 4;
    currentPiece.cells[1][2] = 4;
    currentPiece.cells[2][0] = 4;
    currentPiece.cells[3][3] = 4;  // would be column 10, row 22: a broken piece is still skipped
    ComposeDisplayBoard();
    EXPECT_EQ(tboard[8][20], 4);
    EXPECT_EQ(tboard[9][20], 4);
    EXPECT_EQ(tboard[8][21], 4);
    EXPECT_EQ(tboard[9][19], 4);
    EXPECT_EQ(OccupiedCells(), 4);

    // Grid column 0 off the board on the left.
    ResetDrawing();
    currentPiece.x = -1;
    currentPiece.y = 5;
    currentPiece.cells[1][0] = 3;
    currentPiece.cells[1][1] = 3;
    currentPiece.cells[0][0] = 3;  // would be column -1
    ComposeDisplayBoard();
    EXPECT_EQ(tboard[0][5], 3);
    EXPECT_EQ(tboard[0][6], 3);
    EXPECT_EQ(OccupiedCells(), 2);
}

// Appends the calls of one cell polygon, with the block colour (r, g, b) as sent to OpenGL.
void AddCellCalls(std::vector<Call> &calls, double left, double low, double r, double g, double b)
{
    const float l = static_cast<float>(left), lo = static_cast<float>(low);
    const float rt = static_cast<float>(left + 0.09), hi = static_cast<float>(low + 0.1);
    const std::vector<Call> cell = {
        {"glBegin", {9}},         {"glColor3f", {r, g, b}},
        {"glVertex2f", {l, lo}},  {"glColor3f", {r / 2, g / 2, b / 2}},
        {"glVertex2f", {rt, lo}}, {"glColor3f", {r * 0.75, g * 0.75, b * 0.75}},
        {"glVertex2f", {rt, hi}}, {"glColor3f", {1, 1, 1}},
        {"glVertex2f", {l, hi}},  {"glEnd", {}},
    };
    calls.insert(calls.end(), cell.begin(), cell.end());
}

TEST(RenderBoard, DrawsVisibleCellsBottomRowFirstInChannelOrderRedBlueGreen)
{
    ResetDrawing();
    SetColour(0.5f, 1.0f, 0.25f);
    theta = 90.0f;
    direct = -1.0f;
    tboard[3][2] = 2;   // display row 0, the top of the picture
    tboard[0][21] = 8;  // display row 19, the bottom; another code, the same colours
    tboard[5][0] = 3;   // hidden rows are never drawn
    tboard[6][1] = 3;

    RenderBoard();

    std::vector<Call> want = {
        {"glClearColor", {0, 0, 0, 0}},
        {"glClear", {0x4000}},
        {"glPushMatrix", {}},
        {"glRotatef", {90, -1, -1, -1}},
    };
    // Colours go out as (red, blue, green); cells are 0.09 wide and 0.1 high, column 0 starts
    // at -0.47 and display row 0 at 0.95.
    AddCellCalls(want, -0.47, -0.95, 0.5, 0.25, 1.0);
    AddCellCalls(want, -0.2, 0.95, 0.5, 0.25, 1.0);
    want.push_back({"glPopMatrix", {}});
    ExpectCalls(GlCalls(), want);

    // The swap comes last and uses the window's device context.
    ASSERT_FALSE(Calls().empty());
    EXPECT_EQ(Calls().back().name, "SwapBuffers");
    EXPECT_EQ(Calls().back().args, std::vector<double>{Handle(FAKE_DC)});
    EXPECT_EQ(WindowsCalls().size(), 1u);
}

TEST(RenderBoard, EmptyBoardStillClearsAndSwaps)
{
    ResetDrawing();
    RenderBoard();
    ExpectCalls(Calls(), {
                             {"glClearColor", {0, 0, 0, 0}},
                             {"glClear", {0x4000}},
                             {"glPushMatrix", {}},
                             {"glRotatef", {0, 1, 1, 1}},
                             {"glPopMatrix", {}},
                             {"SwapBuffers", {Handle(FAKE_DC)}},
                         });
}

TEST(RenderBoard, FullBoardDrawsTwoHundredCellsAtTheirCorners)
{
    ResetDrawing();
    for (int x = 0; x < BOARD_COLUMNS; x++) {
        for (int y = 0; y < BOARD_ROWS; y++) {
            tboard[x][y] = 2;
        }
    }
    RenderBoard();
    std::vector<Call> vertices;
    int polygons = 0;
    for (const Call &call : GlCalls()) {
        polygons += call.name == "glBegin";
        if (call.name == "glVertex2f") {
            vertices.push_back(call);
        }
    }
    EXPECT_EQ(polygons, 200);
    ASSERT_EQ(vertices.size(), 800u);
    // The picture spans x -0.47 to 0.43 and y -0.95 to 1.05.
    double minX = 9, maxX = -9, minY = 9, maxY = -9;
    for (const Call &vertex : vertices) {
        minX = std::min(minX, vertex.args[0]);
        maxX = std::max(maxX, vertex.args[0]);
        minY = std::min(minY, vertex.args[1]);
        maxY = std::max(maxY, vertex.args[1]);
    }
    EXPECT_NEAR(minX, -0.47, 1e-6);
    EXPECT_NEAR(maxX, 0.43, 1e-6);
    EXPECT_NEAR(minY, -0.95, 1e-6);
    EXPECT_NEAR(maxY, 1.05, 1e-6);
    // The last cell drawn is column 9 of display row 0.
    EXPECT_NEAR(vertices.back().args[0], 0.34, 1e-6);
    EXPECT_NEAR(vertices.back().args[1], 1.05, 1e-6);
}

TEST(DrawFrame, StepsColourBeforeDrawingAndSpinAfter)
{
    ResetDrawing();
    board[2][21] = 2;
    DrawFrame();
    std::vector<Call> gl = GlCalls();
    ASSERT_GE(gl.size(), 6u);
    // The first frame is drawn with the first colour step and no rotation.
    EXPECT_EQ(gl[3].name, "glRotatef");
    EXPECT_EQ(gl[3].args[0], 0.0);
    EXPECT_EQ(gl[5].name, "glColor3f");
    EXPECT_NEAR(gl[5].args[0], 0.01, 1e-7);
    EXPECT_NEAR(gl[5].args[1], 0.99, 1e-7);
    EXPECT_EQ(gl[5].args[2], 0.0);
    EXPECT_EQ(theta, 1.0f);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(tboard[2][21], 2);
}

}  // namespace
