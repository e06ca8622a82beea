// The gravity step: falling, locking one step after landing, clearing rows and the top-out test.
#include "tests/engine/test_util.h"
#include "tests/engine/turn_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace
{

class Gravity : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetEngine();
        nextPiece = KindAt(KIND_T, 0, 0);  // what a lock will make current
    }

    // Locks the current piece with a known next draw, and checks the deal that follows.
    int UpdateExpectingLock()
    {
        unsigned seed = SeedForKinds({KIND_S});
        srand(seed);
        PIECE waiting = nextPiece;
        int result = Update();
        waiting.x = 3;
        waiting.y = 0;
        EXPECT_TRUE(SamePiece(currentPiece, waiting))
            << "the waiting piece should be current: " << Dump(currentPiece);
        EXPECT_TRUE(SamePiece(nextPiece, KindAt(KIND_S, 0, 0))) << Dump(nextPiece);
        return result;
    }

    // UpdateExpectingLock, expecting Update to return `result`, then the whole board as expected.
    void ExpectLock(int result)
    {
        EXPECT_EQ(UpdateExpectingLock(), result);
        EXPECT_EQ(Dump(board), Dump(expected));
    }

    Board expected = {};
};

TEST_F(Gravity, AFallingPieceMovesOneRowAndNothingElse)
{
    currentPiece = KindAt(KIND_L, 3, 0);  // covers rows 1 and 2, which the top-out test ignores
    const PIECE waiting = nextPiece;
    for (int step = 1; step <= 19; ++step) {
        ASSERT_EQ(Update(), 0);
        PIECE moved = KindAt(KIND_L, 3, step);
        ASSERT_TRUE(SamePiece(currentPiece, moved)) << Dump(currentPiece);
        ASSERT_TRUE(SamePiece(nextPiece, waiting));
        ASSERT_EQ(Dump(board), Dump(expected));
    }
    // Its bottom row now stands on row 21: the next step locks it where it stands.
    expected[4][21] = expected[5][21] = expected[6][21] = expected[6][20] = 5;
    ExpectLock(0);
}

// The step that brings a piece onto the stack leaves it there; the next one locks it where it
// then stands, not one row lower.
TEST_F(Gravity, LocksOneStepAfterLandingWhereItStands)
{
    board[4][21] = 4;
    expected[4][21] = 4;
    currentPiece = KindAt(KIND_SQUARE, 3, 17);  // columns 4 and 5, rows 18 and 19
    EXPECT_EQ(Update(), 0);
    EXPECT_EQ(currentPiece.y, 18);
    EXPECT_EQ(Dump(board), Dump(expected));

    expected[4][19] = expected[5][19] = expected[4][20] = expected[5][20] = 6;
    ExpectLock(0);
}

TEST_F(Gravity, APieceSteeredOffItsSupportFallsOn)
{
    board[4][21] = 4;
    currentPiece = KindAt(KIND_SQUARE, 3, 18);  // resting on the block at (4, 21)
    right();
    ASSERT_EQ(currentPiece.x, 4);
    EXPECT_EQ(Update(), 0);
    EXPECT_TRUE(SamePiece(currentPiece, KindAt(KIND_SQUARE, 4, 19))) << Dump(currentPiece);
    expected[4][21] = 4;
    EXPECT_EQ(Dump(board), Dump(expected));
}

TEST_F(Gravity, AFreshPieceThatRestsAtOnceLocksAtRowZeroAndTopsOut)
{
    board[5][3] = 3;
    currentPiece = KindAt(KIND_SQUARE, 3, 0);
    EXPECT_EQ(UpdateExpectingLock(), 1);
    EXPECT_EQ(board[4][1], 6);
    EXPECT_EQ(board[5][2], 6);
}

// Rows 20 and 21 completed together: row 21 is cleared, found full again and cleared again.
TEST_F(Gravity, AdjacentFullRowsAreBothCleared)
{
    FillRow(board, 21, 3, {0});
    FillRow(board, 20, 3, {0});
    board[5][19] = 4;
    currentPiece = TurnedKindAt(KIND_BAR, 1, -1, 18);  // upright in column 0, rows 18..21
    expected[0][21] = 2;
    expected[5][21] = 4;
    expected[0][20] = 2;
    ExpectLock(0);
}

// Full rows 19 and 21 around a row that is not full: both go in one step, the middle row ends on
// row 21 and everything above row 19 comes down two rows.
TEST_F(Gravity, SeparatedFullRowsAreBothCleared)
{
    FillRow(board, 21, 3, {0});
    FillRow(board, 20, 5, {0, 7});
    FillRow(board, 19, 3, {0});
    board[9][17] = 6;
    currentPiece = TurnedKindAt(KIND_BAR, 1, -1, 18);
    FillRow(expected, 21, 5, {7});
    expected[0][21] = 2;
    expected[0][20] = 2;
    expected[9][19] = 6;
    ExpectLock(0);
}

TEST_F(Gravity, FourFullRowsAreClearedAndTheStackAboveComesDownFour)
{
    for (int row = 18; row <= 21; ++row)
        FillRow(board, row, 7, {0});
    board[3][10] = 8;
    board[3][11] = 8;
    currentPiece = TurnedKindAt(KIND_BAR, 1, -1, 18);
    expected[3][14] = 8;
    expected[3][15] = 8;
    ExpectLock(0);
}

// The top-out test comes before the clearing pass: a lock that completes row 3 and leaves blocks
// in rows 0 to 2 reports top-out and leaves row 3 full.
TEST_F(Gravity, TopOutIsTestedBeforeRowsAreCleared)
{
    FillRow(board, 3, 3, {4});
    board[4][4] = 3;
    currentPiece = TurnedKindAt(KIND_BAR, 1, 3, 0);  // upright in column 4, rows 0..3
    FillRow(expected, 3, 3);
    expected[4][3] = 2;
    expected[4][0] = expected[4][1] = expected[4][2] = 2;
    expected[4][4] = 3;
    ExpectLock(1);
}

// The test looks at the board, on every step, and never at the falling piece.
TEST_F(Gravity, TopOutIsReadFromTheBoardOnEveryStep)
{
    currentPiece = KindAt(KIND_BAR, 3, 0);
    EXPECT_EQ(Update(), 0) << "the falling piece itself never counts";
    board[9][2] = 3;  // not reachable in play, but the test runs whether or not a piece locks
    EXPECT_EQ(Update(), 1);
    EXPECT_EQ(currentPiece.y, 2) << "a step without a lock still moves the piece";
    EXPECT_EQ(board[9][2], 3);
}

// After a lock the new piece is planned on the board as it stands after clearing.
TEST_F(Gravity, ALockPlansTheNewPieceAfresh)
{
    Board gap = {};
    FillRow(gap, 21, 3, {4});
    FillRow(gap, 20, 3, {4, 5});
    PIECE z = KindAt(KIND_Z, 3, 0);
    thinkAI(gap, &z);  // an old plan with three turns pending

    FillRow(board, 21, 3, {3, 4, 5, 6});
    currentPiece = KindAt(KIND_BAR, 3, 20);  // completes row 21, leaving an empty board
    ExpectLock(0);
    Plan plan = ReadPlan();
    EXPECT_TRUE(plan.found);
    EXPECT_EQ(plan.rotate, 0);
    EXPECT_EQ(plan.x, 0);
}

// Row 0 is never examined or moved, and every removal leaves row 1 empty.
TEST_F(Gravity, ClearingLeavesRowZeroAloneAndEmptiesRowOne)
{
    Board b = {};
    b[2][0] = 7;  // row 0 is not part of the stack: nothing may move it
    b[6][1] = 5;
    FillRow(b, 21, 4);
    FillRow(b, 12, 4);
    b[1][11] = 3;
    EXPECT_EQ(ClearFullRows(b), 2);
    Board want = {};
    want[2][0] = 7;
    want[6][3] = 5;  // row 1 moves down once for each full row
    want[1][13] = 3;
    EXPECT_EQ(Dump(b), Dump(want));

    // A full row 1 cannot occur in play; the pass must still end and leave row 0 alone.
    Board top = {};
    top[0][0] = 2;
    FillRow(top, 1, 4);
    FillRow(top, 2, 4);
    ClearFullRows(top);
    EXPECT_EQ(top[0][0], 2);
    for (int c = 1; c < BOARD_COLUMNS; ++c)
        EXPECT_EQ(top[c][0], 0);
}

}  // namespace
