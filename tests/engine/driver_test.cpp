// The game driver: starting and restarting a game, and how the two ticks reach the engine.
#include "tests/engine/turn_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>

namespace
{

class Driver : public ::testing::Test
{
protected:
    void SetUp() override { ResetEngine(); }

    static bool BoardIsEmpty()
    {
        for (int c = 0; c < BOARD_COLUMNS; ++c)
            for (int r = 0; r < BOARD_ROWS; ++r)
                if (board[c][r] != 0)
                    return false;
        return true;
    }
};

TEST_F(Driver, NewGameEmptiesTheBoardDealsTwiceAndPlans)
{
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r)
            board[c][r] = 2 + (c * r) % 7;
    nextPiece = KindAt(KIND_BAR, 0, 0);  // left over from an earlier game: never played
    srand(SeedForKinds({KIND_J, KIND_S}));
    NewGame();
    EXPECT_TRUE(BoardIsEmpty()) << Dump(board);
    EXPECT_TRUE(SamePiece(currentPiece, KindAt(KIND_J, 3, 0))) << Dump(currentPiece);
    EXPECT_TRUE(SamePiece(nextPiece, KindAt(KIND_S, 0, 0))) << Dump(nextPiece);
    EXPECT_EQ(GameStateFault(), nullptr);
    Plan plan = ReadPlan();
    EXPECT_TRUE(plan.found);
    EXPECT_EQ(plan.rotate, 0);
    EXPECT_EQ(plan.x, 0);
}

// A gravity tick that tops out starts the next game within the same tick. The piece that waited
// before the lock became current in Update; the one dealt then waits at the top-out and is
// dropped by NewGame's first deal, so the new game opens with the two draws after it.
TEST_F(Driver, TopOutRestartsAtOnceAndTheWaitingPieceIsNeverPlayed)
{
    board[5][3] = 3;
    currentPiece = KindAt(KIND_SQUARE, 3, 0);  // rests at once: locks into rows 1 and 2
    nextPiece = KindAt(KIND_J, 0, 0);
    srand(SeedForKinds({KIND_L, KIND_Z, KIND_S}));
    GravityTick();
    EXPECT_TRUE(BoardIsEmpty()) << Dump(board);
    EXPECT_TRUE(SamePiece(currentPiece, KindAt(KIND_Z, 3, 0))) << Dump(currentPiece);
    EXPECT_TRUE(SamePiece(nextPiece, KindAt(KIND_S, 0, 0))) << Dump(nextPiece);
    EXPECT_EQ(GameStateFault(), nullptr);
}

TEST_F(Driver, GravityTickWithoutTopOutIsJustTheGravityStep)
{
    board[0][21] = 4;
    currentPiece = KindAt(KIND_T, 3, 4);
    GravityTick();
    EXPECT_TRUE(SamePiece(currentPiece, KindAt(KIND_T, 3, 5)));
    EXPECT_EQ(board[0][21], 4);
}

// With the plan done (no turns pending, leftmost cell on the target column) a steering tick
// makes no move at all.
TEST_F(Driver, SteeringTickWithNothingToDoChangesNothing)
{
    board[7][21] = 5;
    currentPiece = TurnedKindAt(KIND_J, 1, -2, 6);  // leftmost cell in column 0, the plan's target
    const PIECE before = currentPiece;
    Board boardBefore;
    std::memcpy(boardBefore, board, sizeof boardBefore);
    for (int n = 0; n < 4; ++n)
        SteeringTick();
    EXPECT_TRUE(SamePiece(currentPiece, before)) << Dump(currentPiece);
    EXPECT_EQ(std::memcmp(boardBefore, board, sizeof boardBefore), 0);
}

TEST_F(Driver, SteeringTicksShiftOneColumnEachUntilTheTarget)
{
    srand(SeedForKinds({KIND_BAR}));
    NewGame();  // a bar on an empty board is planned for column 0 with no turns
    for (int expectedX = 2; expectedX >= 0; --expectedX) {
        SteeringTick();
        EXPECT_TRUE(SamePiece(currentPiece, KindAt(KIND_BAR, expectedX, 0))) << Dump(currentPiece);
    }
    for (int n = 0; n < 3; ++n)
        SteeringTick();
    EXPECT_TRUE(SamePiece(currentPiece, KindAt(KIND_BAR, 0, 0))) << Dump(currentPiece);
}

// The Z into the gap is planned upright with three turns; the steering ticks make them, one per
// tick, and then stop because the turned Z already stands on its target column.
TEST_F(Driver, SteeringTicksMakeThePlannedTurnsFirst)
{
    FillRow(board, 21, 3, {4});
    FillRow(board, 20, 3, {4, 5});
    currentPiece = KindAt(KIND_Z, 3, 0);
    thinkAI(board, &currentPiece);
    for (int turns = 1; turns <= 3; ++turns) {
        SteeringTick();
        EXPECT_TRUE(SamePiece(currentPiece, TurnedKindAt(KIND_Z, turns, 3, 0)))
            << Dump(currentPiece);
    }
    SteeringTick();
    SteeringTick();
    EXPECT_TRUE(SamePiece(currentPiece, TurnedKindAt(KIND_Z, 3, 3, 0))) << Dump(currentPiece);
}

// The same plan when every turn is refused: the turns are spent all the same, and the unturned
// Z is then shifted once, from column 3 to column 4.
TEST_F(Driver, RefusedTurnsAreSpentAndNotRetried)
{
    FillRow(board, 21, 3, {4});
    FillRow(board, 20, 3, {4, 5});
    currentPiece = KindAt(KIND_Z, 3, 0);
    thinkAI(board, &currentPiece);
    board[4][3] = 3;  // the turned Z would need (4, 3)
    for (int n = 0; n < 3; ++n) {
        SteeringTick();
        EXPECT_TRUE(SamePiece(currentPiece, KindAt(KIND_Z, 3, 0))) << Dump(currentPiece);
    }
    SteeringTick();
    EXPECT_TRUE(SamePiece(currentPiece, KindAt(KIND_Z, 4, 0))) << Dump(currentPiece);
    SteeringTick();
    EXPECT_TRUE(SamePiece(currentPiece, KindAt(KIND_Z, 4, 0))) << Dump(currentPiece);
}

// StartGame seeds the generator from the calendar time in seconds, so two starts within one
// second deal the same pieces. A second boundary between the two starts is retried.
TEST_F(Driver, StartGameSeedsFromTheClock)
{
    bool compared = false;
    for (int attempt = 0; attempt < 5 && !compared; ++attempt) {
        time_t before = time(nullptr);
        StartGame();
        const PIECE firstCurrent = currentPiece;
        const PIECE firstNext = nextPiece;
        const int firstDraw = rand();
        StartGame();
        const int secondDraw = rand();
        time_t after = time(nullptr);
        if (before != after)
            continue;
        compared = true;
        EXPECT_TRUE(SamePiece(firstCurrent, currentPiece));
        EXPECT_TRUE(SamePiece(firstNext, nextPiece));
        EXPECT_EQ(firstDraw, secondDraw);

        srand(static_cast<unsigned>(before));
        int current = rand() % 7 + 1;
        int next = rand() % 7 + 1;
        EXPECT_TRUE(SamePiece(currentPiece, KindAt(current, 3, 0))) << Dump(currentPiece);
        EXPECT_TRUE(SamePiece(nextPiece, KindAt(next, 0, 0))) << Dump(nextPiece);
    }
    EXPECT_TRUE(compared) << "the clock moved on during every attempt";
}

}  // namespace
