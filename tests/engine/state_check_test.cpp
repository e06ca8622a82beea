// The whole-state check, and long seeded games that must keep every invariant on every tick.
#include "tests/engine/test_util.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace
{

class StateCheck : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetEngine();
        board[2][21] = 3;
        board[8][15] = 8;
        currentPiece = KindAt(KIND_S, 3, 6);
        nextPiece = KindAt(KIND_L, 0, 0);
    }
};

TEST_F(StateCheck, ASoundStateHasNoFault)
{
    EXPECT_EQ(GameStateFault(), nullptr);
    srand(99);
    NewGame();
    EXPECT_EQ(GameStateFault(), nullptr);
}

TEST_F(StateCheck, CorruptionsAreReported)
{
    struct Case {
        const char *what;
        int column, row, code;  // a board cell to set
        PIECE piece;
    };
    const Case cases[] = {
        {"scratch mark in the board", 4, 20, CELL_SCRATCH, KindAt(KIND_S, 3, 6)},
        {"code above the last block", 0, 0, 9, KindAt(KIND_S, 3, 6)},
        {"negative code", 9, 21, -2, KindAt(KIND_S, 3, 6)},
        {"piece on a block", 4, 7, 4, KindAt(KIND_S, 3, 6)},
        {"piece left of the board", 4, 20, 0, KindAt(KIND_Z, -1, 6)},
        {"piece right of the board", 4, 20, 0, KindAt(KIND_BAR, 7, 6)},
        {"piece below the floor", 4, 20, 0, KindAt(KIND_SQUARE, 3, 20)},
    };
    for (const Case &c : cases) {
        SetUp();
        board[c.column][c.row] = c.code;
        currentPiece = c.piece;
        const char *fault = GameStateFault();
        EXPECT_NE(fault, nullptr) << c.what;
        if (fault != nullptr) {
            EXPECT_FALSE(std::string(fault).empty()) << c.what;
        }
    }
}

// Whole games from many seeds, ticked as the two timers fire (steering every 20 ms, gravity
// every 40 ms, in either order when both fire together). After every tick the state is sound,
// the top three rows are empty (a lock there restarts the game in the same tick), and both
// pieces are whole dealt shapes.
bool WholeShape(const PIECE &p, std::string &why)
{
    int filled = 0, code = 0;
    for (int i = 0; i < PIECE_GRID; ++i)
        for (int j = 0; j < PIECE_GRID; ++j)
            if (p.cells[i][j] != 0) {
                ++filled;
                if (code != 0 && p.cells[i][j] != code)
                    why = "mixed codes";
                code = p.cells[i][j];
            }
    if (filled != 4)
        why = "not four cells";
    if (code < CELL_FIRST_BLOCK || code > CELL_LAST_BLOCK)
        why = "bad code";
    const int types[9] = {0, 0, 1, 2, 2, 2, 3, 1, 1};
    if (why.empty() && p.rotationType != types[code])
        why = "rotation type does not match the kind";
    return why.empty();
}

TEST(PropertyGames, EveryTickKeepsTheStateSound)
{
#if defined(NDEBUG)
    const int seeds = 40, ticks = 4000;
#else
    const int seeds = 16, ticks = 2000;  // unoptimised and sanitised builds
#endif
    int newGames = 0;
    for (int seed = 1; seed <= seeds; ++seed) {
        ResetEngine();
        srand(static_cast<unsigned>(seed));
        NewGame();
        const bool gravityFirst = seed % 2 == 0;
        for (int tick = 0; tick < ticks; ++tick) {
            // Every 20 ms steering fires; every 40 ms gravity fires too.
            const int slot = tick % 3;
            const bool gravity = gravityFirst ? slot == 1 : slot == 2;
            if (gravity) {
                const int y = currentPiece.y;
                GravityTick();
                if (currentPiece.y == 0 && y != 0)
                    ++newGames;  // a lock or restart
            } else {
                SteeringTick();
            }
            const char *fault = GameStateFault();
            ASSERT_EQ(fault, nullptr)
                << "seed " << seed << " tick " << tick << ": " << fault << "\n"
                << Dump(board) << Dump(currentPiece);
            for (int c = 0; c < BOARD_COLUMNS; ++c)
                for (int r = 0; r < TOP_OUT_ROWS; ++r)
                    ASSERT_EQ(board[c][r], 0) << "seed " << seed << " tick " << tick;
            std::string why;
            ASSERT_TRUE(WholeShape(currentPiece, why))
                << "current, seed " << seed << " tick " << tick << ": " << why;
            ASSERT_TRUE(WholeShape(nextPiece, why))
                << "next, seed " << seed << " tick " << tick << ": " << why;
            ASSERT_EQ(nextPiece.x, 0);
            ASSERT_EQ(nextPiece.y, 0);
        }
    }
    EXPECT_GT(newGames, seeds * ticks / 100) << "pieces should be locking all along";
}

}  // namespace
