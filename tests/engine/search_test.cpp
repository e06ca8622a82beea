// The placement search and its helpers: the documented plans, tie rules, and what it must not touch.
#include "tests/engine/turn_table.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

class Search : public ::testing::Test
{
protected:
    void SetUp() override { ResetEngine(); }
    Board b = {};
};

TEST_F(Search, EveryKindAsDealtOnAnEmptyBoardGoesLeftUnturned)
{
    for (int kind = 1; kind <= 7; ++kind) {
        Plan plan = PlanFor(b, KindAt(kind, 3, 0));
        EXPECT_TRUE(plan.found) << "kind " << kind;
        EXPECT_EQ(plan.rotate, 0) << "kind " << kind;
        EXPECT_EQ(plan.x, 0) << "kind " << kind;
    }
}

// Rows 20 and 21 full but for column 4 in both and column 5 in row 20: the Z stands upright in
// the gap and clears both rows, and the upright shape one grid row higher (three turns) wins.
TEST_F(Search, TheZGoesUprightIntoTheGap)
{
    FillRow(b, 21, 3, {4});
    FillRow(b, 20, 3, {4, 5});
    Plan plan = PlanFor(b, KindAt(KIND_Z, 3, 0));
    EXPECT_TRUE(plan.found);
    EXPECT_EQ(plan.rotate, 3);
    EXPECT_EQ(plan.x, 4);
}

// The tie rules, on many stacks: the square never turns, the bar never takes two or three turns,
// the Z and the S never one or two. The bar must stand up and the Z and S must take three turns
// on some of the stacks, or the check proves nothing.
TEST_F(Search, EquivalentOrientationsNeverWinOverEarlierOnes)
{
    unsigned noise = 77;
    int barUpright = 0, zUpright = 0, sUpright = 0;
    for (int n = 0; n < 150; ++n) {
        RandomStack(b, noise, 12);
        SCOPED_TRACE(Dump(b));
        EXPECT_EQ(PlanFor(b, KindAt(KIND_SQUARE, 3, 0)).rotate, 0);
        int bar = PlanFor(b, KindAt(KIND_BAR, 3, 0)).rotate;
        EXPECT_TRUE(bar == 0 || bar == 1) << bar;
        barUpright += bar == 1;
        int z = PlanFor(b, KindAt(KIND_Z, 3, 0)).rotate;
        EXPECT_TRUE(z == 0 || z == 3) << z;
        zUpright += z == 3;
        int s = PlanFor(b, KindAt(KIND_S, 3, 0)).rotate;
        EXPECT_TRUE(s == 0 || s == 3) << s;
        sUpright += s == 3;
    }
    EXPECT_GT(barUpright, 0);
    EXPECT_GT(zUpright, 0);
    EXPECT_GT(sUpright, 0);
}

TEST_F(Search, ReadsItsArgumentsOnly)
{
    unsigned noise = 5;
    RandomStack(b, noise, 10);
    Board copy;
    std::memcpy(copy, b, sizeof copy);
    Board liveBefore;
    board[6][21] = 7;
    std::memcpy(liveBefore, board, sizeof liveBefore);
    const PIECE current = KindAt(KIND_J, 3, 0);
    currentPiece = current;
    for (int kind = 1; kind <= 7; ++kind) {
        PIECE piece = TurnedKindAt(kind, kind % 4, 3, 0);
        const PIECE before = piece;
        thinkAI(b, &piece);
        EXPECT_TRUE(SamePiece(piece, before)) << "kind " << kind;
        EXPECT_EQ(std::memcmp(copy, b, sizeof copy), 0) << "kind " << kind;
        EXPECT_EQ(std::memcmp(liveBefore, board, sizeof liveBefore), 0) << "kind " << kind;
        EXPECT_TRUE(SamePiece(currentPiece, current));
    }
}

// The column of every candidate is set by the search; where the piece stands now plays no part.
TEST_F(Search, ThePieceColumnPlaysNoPart)
{
    unsigned noise = 31;
    for (int n = 0; n < 20; ++n) {
        RandomStack(b, noise, 10);
        for (int kind = 1; kind <= 7; ++kind) {
            Plan atThree = PlanFor(b, KindAt(kind, 3, 0));
            for (int x : {-2, 0, 6, 8}) {
                Plan elsewhere = PlanFor(b, KindAt(kind, x, 0));
                EXPECT_EQ(elsewhere.rotate, atThree.rotate) << "kind " << kind << " x " << x;
                EXPECT_EQ(elsewhere.x, atThree.x) << "kind " << kind << " x " << x;
            }
        }
    }
}

TEST_F(Search, ANewSearchDropsTheTurnsStillPending)
{
    FillRow(b, 21, 3, {4});
    FillRow(b, 20, 3, {4, 5});
    PIECE z = KindAt(KIND_Z, 3, 0);
    thinkAI(b, &z);  // three turns pending
    ClearBoard(b);
    Plan plan = PlanFor(b, KindAt(KIND_BAR, 3, 0));
    EXPECT_EQ(plan.rotate, 0);
    EXPECT_EQ(plan.x, 0);
}

// When every candidate already rests at the starting row (or even overlaps blocks there) the
// search still ends with a plan on the board.
TEST_F(Search, CandidatesThatCannotFallStillGiveAPlan)
{
    for (int r = 3; r < BOARD_ROWS; ++r)
        FillRow(b, r, 4, {r % BOARD_COLUMNS});
    for (int kind = 1; kind <= 7; ++kind) {
        Plan plan = PlanFor(b, KindAt(kind, 3, 0));
        EXPECT_TRUE(plan.found) << "kind " << kind;
        EXPECT_GE(plan.x, 0);
        EXPECT_LE(plan.x, 9);
    }
    FillRow(b, 2, 4);
    FillRow(b, 1, 4, {0, 9});
    for (int kind = 1; kind <= 7; ++kind) {
        Plan plan = PlanFor(b, KindAt(kind, 3, 0));
        EXPECT_TRUE(plan.found) << "kind " << kind;
        EXPECT_GE(plan.x, 0);
        EXPECT_LE(plan.x, 9);
    }
}

TEST_F(Search, HoleCount)
{
    EXPECT_EQ(numOfHoles(b), 0);
    b[3][10] = 2;  // 11 empty cells below it
    EXPECT_EQ(numOfHoles(b), 11);
    b[3][21] = 2;
    b[3][15] = 5;
    EXPECT_EQ(numOfHoles(b), 9);
    b[0][0] = 8;  // a block in row 0 over an empty column: 21 holes
    EXPECT_EQ(numOfHoles(b), 30);
    for (int r = 12; r < BOARD_ROWS; ++r)
        b[9][r] = 3;  // a solid column has none
    EXPECT_EQ(numOfHoles(b), 30);
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r)
            b[c][r] = 6;
    EXPECT_EQ(numOfHoles(b), 0);
}

TEST_F(Search, BoardCopyCopiesEveryCell)
{
    Board source, destination;
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r) {
            source[c][r] = c * 100 + r - 50;
            destination[c][r] = -1;
        }
    boardcpy(destination, source);
    EXPECT_EQ(std::memcmp(destination, source, sizeof source), 0);
}

// The free quarter turn follows the same table as the live one, never looks at a board (a flat
// bar on the floor turns, past row 21), keeps x, y and rotationType, and four turns restore it.
TEST_F(Search, RotateAIFollowsTheTurnTableAnywhere)
{
    for (int kind = 1; kind <= 7; ++kind)
        for (int turns = 0; turns < 4; ++turns) {
            PIECE piece = TurnedKindAt(kind, turns, 7, 20);
            RotateAI(&piece);
            EXPECT_TRUE(
                SamePiece(piece, TurnedKindAt(kind, kind == KIND_SQUARE ? 0 : turns + 1, 7, 20)))
                << "kind " << kind << " from " << turns << " turns: " << Dump(piece);
            for (int n = 0; n < 3; ++n)
                RotateAI(&piece);
            EXPECT_TRUE(SamePiece(piece, TurnedKindAt(kind, turns, 7, 20))) << "kind " << kind;
        }
}

TEST_F(Search, TurnCellsLeavesTheGridAloneForAPieceThatDoesNotTurn)
{
    const PIECE square = KindAt(KIND_SQUARE, 0, 0);
    signed char turned[PIECE_GRID][PIECE_GRID];
    std::memset(turned, 0x55, sizeof turned);
    TurnCells(square.cells, TURN_NEVER, turned);
    for (int i = 0; i < PIECE_GRID; ++i)
        for (int j = 0; j < PIECE_GRID; ++j)
            EXPECT_EQ(turned[i][j], 0x55);

    const PIECE t = KindAt(KIND_T, 0, 0);
    std::memset(turned, 0, sizeof turned);
    TurnCells(t.cells, TURN_BOX, turned);
    EXPECT_EQ(std::memcmp(turned, TurnedKindAt(KIND_T, 1, 0, 0).cells, sizeof turned), 0);
}

TEST(AutopilotHooks, InitAndCleanUpReturnOne)
{
    EXPECT_EQ(initAI(), 1);
    EXPECT_EQ(cleanUpAI(), 1);
}

}  // namespace
