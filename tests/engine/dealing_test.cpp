// Dealing: the seven shapes, where a new piece enters, and what the waiting record keeps.
#include "tests/engine/test_util.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

namespace
{

class Dealing : public ::testing::Test
{
protected:
    void SetUp() override { ResetEngine(); }
};

TEST_F(Dealing, FirstDealOnNeverDealtRecordsGivesAnEmptyCurrentPiece)
{
    unsigned seed = SeedForKinds({KIND_T, KIND_L});
    srand(seed);
    currentPiece.x = -2;
    currentPiece.y = 17;
    NextPiece();
    EXPECT_EQ(CellsOf(currentPiece), "");
    EXPECT_EQ(currentPiece.rotationType, 0);
    EXPECT_EQ(currentPiece.x, 3);
    EXPECT_EQ(currentPiece.y, 0);
    EXPECT_TRUE(SamePiece(nextPiece, KindAt(KIND_T, 0, 0))) << Dump(nextPiece);

    NextPiece();
    EXPECT_TRUE(SamePiece(currentPiece, KindAt(KIND_T, 3, 0))) << Dump(currentPiece);
    EXPECT_TRUE(SamePiece(nextPiece, KindAt(KIND_L, 0, 0))) << Dump(nextPiece);
}

// Each kind enters with its own cells, code kind + 1 and rotation type, its grid corner on
// column 3, row 0, and its cells in rows 1 and 2 of columns 3 to 6.
TEST_F(Dealing, EachKindEntersAsListed)
{
    struct Entry {
        int kind;
        const char *boardCells;
    };
    const Entry entries[] = {
        {KIND_BAR, "(3,1) (4,1) (5,1) (6,1)"},    {KIND_J, "(4,1) (4,2) (5,2) (6,2)"},
        {KIND_T, "(4,2) (5,1) (5,2) (6,2)"},      {KIND_L, "(4,2) (5,2) (6,1) (6,2)"},
        {KIND_SQUARE, "(4,1) (4,2) (5,1) (5,2)"}, {KIND_Z, "(3,1) (4,1) (4,2) (5,2)"},
        {KIND_S, "(3,2) (4,1) (4,2) (5,1)"},
    };
    const int types[8] = {0, 1, 2, 2, 2, 3, 1, 1};
    for (const Entry &e : entries) {
        SCOPED_TRACE(e.kind);
        ResetEngine();
        srand(SeedForKinds({e.kind}));
        NextPiece();
        NextPiece();
        EXPECT_EQ(BoardCellsOf(currentPiece), e.boardCells);
        EXPECT_EQ(currentPiece.rotationType, types[e.kind]);
        EXPECT_EQ(currentPiece.x, 3);
        EXPECT_EQ(currentPiece.y, 0);
        for (int i = 0; i < PIECE_GRID; ++i)
            for (int j = 0; j < PIECE_GRID; ++j)
                if (currentPiece.cells[i][j] != 0) {
                    EXPECT_EQ(currentPiece.cells[i][j], e.kind + 1);
                }
        EXPECT_TRUE(SamePiece(currentPiece, KindAt(e.kind, 3, 0))) << Dump(currentPiece);
    }
}

// A long run of deals, checked against the kinds that rand() % 7 + 1 gives for the same seed:
// the waiting piece holds exactly the new shape (nothing of the earlier one survives, whatever
// the pair), the current piece is the one dealt before, and nextPiece keeps x and y at 0.
TEST_F(Dealing, LongRunFollowsTheGeneratorAndLeavesNoStaleCells)
{
    const int deals = 3000;
    const unsigned seed = 20240601;
    std::vector<int> kinds;
    srand(seed);
    for (int n = 0; n < deals; ++n)
        kinds.push_back(rand() % 7 + 1);

    srand(seed);
    std::set<std::pair<int, int>> pairsSeen;
    for (int n = 0; n < deals; ++n) {
        currentPiece.x = n % 11 - 2;  // wherever the previous piece had got to
        currentPiece.y = n % 20;
        NextPiece();
        ASSERT_TRUE(SamePiece(nextPiece, KindAt(kinds[n], 0, 0)))
            << "deal " << n << ": " << Dump(nextPiece);
        if (n > 0) {
            ASSERT_TRUE(SamePiece(currentPiece, KindAt(kinds[n - 1], 3, 0)))
                << "deal " << n << ": " << Dump(currentPiece);
            pairsSeen.insert({kinds[n - 1], kinds[n]});
        }
    }
    EXPECT_EQ(pairsSeen.size(), 49u) << "every kind should have followed every kind";
    EXPECT_EQ(nextPiece.x, 0);
    EXPECT_EQ(nextPiece.y, 0);
}

// Dealing touches only the two piece records: the board is left alone.
TEST_F(Dealing, LeavesTheBoardAlone)
{
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 10; r < BOARD_ROWS; ++r)
            board[c][r] = 2 + (c + r) % 7;
    Board before;
    std::memcpy(before, board, sizeof before);
    srand(7);
    for (int n = 0; n < 20; ++n)
        NextPiece();
    EXPECT_EQ(Dump(board), Dump(before));
}

}  // namespace
