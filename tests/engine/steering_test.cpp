// Move steering: turns first, then one column per call, decided from the cells and x alone.
#include "tests/engine/turn_table.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

class Steering : public ::testing::Test
{
protected:
    void SetUp() override { ResetEngine(); }

    // Leaves the plan "three turns, then column 4" (the Z into the gap).
    static void PlanZIntoGap()
    {
        Board gap = {};
        FillRow(gap, 21, 3, {4});
        FillRow(gap, 20, 3, {4, 5});
        PIECE z = KindAt(KIND_Z, 3, 0);
        thinkAI(gap, &z);
    }

    // Leaves the plan "no turns, then column 0".
    static void PlanColumnZero()
    {
        Board empty = {};
        PIECE bar = KindAt(KIND_BAR, 3, 0);
        thinkAI(empty, &bar);
    }
};

TEST_F(Steering, PendingTurnsComeFirstEvenAtTheTargetColumn)
{
    PlanZIntoGap();
    const PIECE z = KindAt(KIND_Z, 4, 0);  // leftmost cell already on column 4
    PIECE piece = z;
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(makeMoveAI(&piece), MOVE_ROTATE) << n;
    EXPECT_EQ(makeMoveAI(&piece), MOVE_NONE);
    EXPECT_EQ(makeMoveAI(&piece), MOVE_NONE);
    EXPECT_TRUE(SamePiece(piece, z));
}

TEST_F(Steering, TurnsAreAskedForWhereverThePieceStands)
{
    PlanZIntoGap();
    PIECE piece = KindAt(KIND_L, -1, 17);
    EXPECT_EQ(makeMoveAI(&piece), MOVE_ROTATE);
    piece.x = 8;
    EXPECT_EQ(makeMoveAI(&piece), MOVE_ROTATE);
    piece = PieceOf({{3, 3}}, 2, TURN_NEVER, 40, 3);
    EXPECT_EQ(makeMoveAI(&piece), MOVE_ROTATE);
    Plan plan = ReadPlan();
    EXPECT_EQ(plan.rotate, 0);
    EXPECT_EQ(plan.x, 4);
}

// Without the game in between, the caller's moves are modelled here by hand.
TEST_F(Steering, AFreshBarIsShiftedOneColumnPerCall)
{
    PlanColumnZero();
    PIECE bar = KindAt(KIND_BAR, 3, 0);
    for (int n = 0; n < 3; ++n) {
        ASSERT_EQ(makeMoveAI(&bar), MOVE_LEFT) << n;
        bar.x -= 1;
    }
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(makeMoveAI(&bar), MOVE_NONE);
}

TEST_F(Steering, TheTurnedShapeDecidesTheColumn)
{
    PlanZIntoGap();
    PIECE z = KindAt(KIND_Z, 3, 0);
    for (int n = 0; n < 3; ++n) {
        ASSERT_EQ(makeMoveAI(&z), MOVE_ROTATE);
        RotateAI(&z);
    }
    EXPECT_EQ(makeMoveAI(&z), MOVE_NONE) << "after three turns the leftmost cell is on column 4";

    PlanZIntoGap();
    PIECE unturned = KindAt(KIND_Z, 3, 0);
    for (int n = 0; n < 3; ++n)
        ASSERT_EQ(makeMoveAI(&unturned), MOVE_ROTATE);  // every turn refused
    EXPECT_EQ(makeMoveAI(&unturned), MOVE_RIGHT);
    unturned.x = 4;
    EXPECT_EQ(makeMoveAI(&unturned), MOVE_NONE);
}

// The answer comes from the cells and the x field only: the row and the rotation type of the
// piece change nothing, and a call with no turns pending changes no state.
TEST_F(Steering, OnlyCellsAndColumnCount)
{
    for (int target : {0, 4}) {
        if (target == 0) {
            PlanColumnZero();
        } else {
            PlanZIntoGap();
            PIECE spend = KindAt(KIND_Z, 0, 0);
            for (int n = 0; n < 3; ++n)
                makeMoveAI(&spend);
        }
        for (int kind = 1; kind <= 7; ++kind)
            for (int turns = 0; turns < 4; ++turns)
                for (int x = -3; x <= 9; ++x) {
                    PIECE piece = TurnedKindAt(kind, turns, x, 0);
                    int leftmost = 100;
                    for (int i = PIECE_GRID - 1; i >= 0; --i)
                        for (int j = 0; j < PIECE_GRID; ++j)
                            if (piece.cells[i][j] != 0)
                                leftmost = x + i;
                    const int expected = leftmost > target   ? MOVE_LEFT
                                         : leftmost < target ? MOVE_RIGHT
                                                             : MOVE_NONE;
                    for (int y : {0, 7, 19})
                        for (int type : {0, 1, 2, 3, 9}) {
                            piece.y = y;
                            piece.rotationType = static_cast<signed char>(type);
                            const PIECE before = piece;
                            ASSERT_EQ(makeMoveAI(&piece), expected)
                                << "target " << target << " kind " << kind << " turns " << turns
                                << " " << Dump(piece);
                            ASSERT_TRUE(SamePiece(piece, before));
                        }
                }
    }
}

// A piece with no occupied cell never reaches the steering in play; it must still be answered
// safely: no move, and a search on it leaves no turns and no move for it.
TEST_F(Steering, APieceWithoutCellsGetsNoMoveAndAnEmptyPlan)
{
    PIECE empty;
    std::memset(&empty, 0, sizeof empty);
    for (int x : {-5, 0, 3, 12}) {
        empty.x = x;
        PlanColumnZero();
        EXPECT_EQ(makeMoveAI(&empty), MOVE_NONE) << x;
        PlanZIntoGap();
        PIECE spend = KindAt(KIND_Z, 0, 0);
        for (int n = 0; n < 3; ++n)
            makeMoveAI(&spend);
        EXPECT_EQ(makeMoveAI(&empty), MOVE_NONE) << x;
    }

    Board boards[2] = {};
    unsigned noise = 9;
    RandomStack(boards[1], noise, 14);
    for (const Board &b : boards)
        for (int type : {0, 1, 2, 3})
            for (int x : {-4, 3, 11}) {
                PlanZIntoGap();  // turns pending from an earlier piece
                empty.x = x;
                empty.y = 0;
                empty.rotationType = static_cast<signed char>(type);
                thinkAI(b, &empty);
                for (int n = 0; n < 4; ++n)
                    EXPECT_EQ(makeMoveAI(&empty), MOVE_NONE) << "type " << type << " x " << x;
            }
    PlanZIntoGap();
    empty.y = 21;
    thinkAI(boards[1], &empty);
    EXPECT_EQ(ReadPlan().rotate, 0);
}

}  // namespace
