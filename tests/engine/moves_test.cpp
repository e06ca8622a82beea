// Sideways moves and the live quarter turn: walls, obstacles, refusals and the turn table.
#include "tests/engine/turn_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace
{

class Moves : public ::testing::Test
{
protected:
    void SetUp() override { ResetEngine(); }
};

bool Filled(const PIECE &p, int column, int row)
{
    int i = column - p.x;
    int j = row - p.y;
    return i >= 0 && i < PIECE_GRID && j >= 0 && j < PIECE_GRID && p.cells[i][j] != 0;
}

int LeftmostColumn(const PIECE &p)
{
    for (int i = 0; i < PIECE_GRID; ++i)
        for (int j = 0; j < PIECE_GRID; ++j)
            if (p.cells[i][j] != 0)
                return p.x + i;
    return -100;
}

int RightmostColumn(const PIECE &p)
{
    for (int i = PIECE_GRID - 1; i >= 0; --i)
        for (int j = 0; j < PIECE_GRID; ++j)
            if (p.cells[i][j] != 0)
                return p.x + i;
    return -100;
}

// Runs one move and checks that it either shifted x by `step` and nothing else, or changed
// nothing at all; returns whether it shifted. The board must never change.
bool Shifted(void (*move)(), int step)
{
    PIECE before = currentPiece;
    Board boardBefore;
    std::memcpy(boardBefore, board, sizeof boardBefore);
    move();
    EXPECT_EQ(std::memcmp(boardBefore, board, sizeof boardBefore), 0) << "a move wrote the board";
    if (SamePiece(before, currentPiece))
        return false;
    PIECE expected = before;
    expected.x += step;
    EXPECT_TRUE(SamePiece(expected, currentPiece))
        << "before " << Dump(before) << "\nafter " << Dump(currentPiece);
    return true;
}

// Every orientation of every kind slides on an empty board until a wall stops it: its own
// cells side by side never block it, and it stops exactly with a cell in column 0 or 9.
TEST_F(Moves, EveryOrientationSlidesToEachWallAndStops)
{
    for (int kind = 1; kind <= 7; ++kind)
        for (int turns = 0; turns < 4; ++turns) {
            SCOPED_TRACE(testing::Message() << "kind " << kind << " turns " << turns);
            currentPiece = TurnedKindAt(kind, turns, 3, 5);
            int steps = 0;
            while (steps < 12 && Shifted(left, -1))
                ++steps;
            EXPECT_EQ(LeftmostColumn(currentPiece), 0);
            EXPECT_EQ(steps, LeftmostColumn(TurnedKindAt(kind, turns, 3, 5)));
            EXPECT_GE(currentPiece.x, -2);
            EXPECT_FALSE(Shifted(left, -1)) << "a piece in column 0 moved left";

            steps = 0;
            while (steps < 12 && Shifted(right, +1))
                ++steps;
            EXPECT_EQ(RightmostColumn(currentPiece), 9);
            EXPECT_EQ(steps, 9 - (RightmostColumn(TurnedKindAt(kind, turns, 3, 5)) -
                                  LeftmostColumn(TurnedKindAt(kind, turns, 3, 5))));
            EXPECT_LE(currentPiece.x, 8);
            EXPECT_FALSE(Shifted(right, +1)) << "a piece in column 9 moved right";
        }
}

TEST_F(Moves, VerticalBarAtTheLeftWallStaysAtMinusTwo)
{
    currentPiece = TurnedKindAt(KIND_BAR, 3, -2, 10);
    EXPECT_FALSE(Shifted(left, -1));
    EXPECT_EQ(currentPiece.x, -2);
    EXPECT_TRUE(Shifted(right, +1));  // column 0 does not hold back a move to the right
}

// A block blocks a sideways move only when it stands directly beside a filled cell in the same
// row. One such block is enough, whichever cell it is beside; a board filled everywhere else
// (diagonals, cells further out, cells above and below) lets the piece through.
TEST_F(Moves, OnlyABlockDirectlyBesideAFilledCellBlocks)
{
    struct Direction {
        void (*move)();
        int step;
    };
    const Direction directions[] = {{left, -1}, {right, +1}};
    for (const Direction &d : directions)
        for (int kind = 1; kind <= 7; ++kind)
            for (int turns = 0; turns < 4; ++turns) {
                SCOPED_TRACE(testing::Message()
                             << "step " << d.step << " kind " << kind << " turns " << turns);
                const PIECE piece = TurnedKindAt(kind, turns, 3, 8);
                // The cells a block must not occupy for the move to succeed.
                bool beside[BOARD_COLUMNS][BOARD_ROWS] = {};
                for (int c = 0; c < BOARD_COLUMNS; ++c)
                    for (int r = 0; r < BOARD_ROWS; ++r)
                        if (Filled(piece, c, r) && !Filled(piece, c + d.step, r))
                            beside[c + d.step][r] = true;

                for (int c = 0; c < BOARD_COLUMNS; ++c)
                    for (int r = 0; r < BOARD_ROWS; ++r) {
                        if (!beside[c][r])
                            continue;
                        std::memset(board, 0, sizeof board);
                        board[c][r] = 2 + (c + r) % 7;
                        currentPiece = piece;
                        EXPECT_FALSE(Shifted(d.move, d.step))
                            << "block at " << c << "," << r << " did not block";
                    }

                for (int c = 0; c < BOARD_COLUMNS; ++c)
                    for (int r = 0; r < BOARD_ROWS; ++r)
                        board[c][r] =
                            (beside[c][r] || Filled(piece, c, r)) ? 0 : 2 + (c * 3 + r) % 7;
                currentPiece = piece;
                EXPECT_TRUE(Shifted(d.move, d.step))
                    << "blocked although nothing stands beside it\n"
                    << Dump(board);
            }
}

// The turn table: four live turns on an empty board walk through the listed states and come
// back to the start; x, y and rotationType never change and the cells keep their code.
TEST_F(Moves, TurnTableForEveryKind)
{
    for (int kind = 1; kind <= 7; ++kind) {
        SCOPED_TRACE(testing::Message() << "kind " << kind);
        currentPiece = TurnedKindAt(kind, 0, 3, 5);
        for (int turns = 1; turns <= 4; ++turns) {
            RotatePiece();
            EXPECT_TRUE(SamePiece(currentPiece, TurnedKindAt(kind, turns, 3, 5)))
                << "after " << turns << " turns: " << Dump(currentPiece);
        }
    }
}

TEST_F(Moves, TurningTheDealtTUsesTheRowsAboveTheVisibleWell)
{
    currentPiece = KindAt(KIND_T, 3, 0);
    RotatePiece();
    EXPECT_EQ(BoardCellsOf(currentPiece), "(5,1) (6,0) (6,1) (6,2)");
}

TEST_F(Moves, TurnsThatWouldLeaveTheBoardAreRefusedWhole)
{
    struct Case {
        const char *what;
        PIECE piece;
    };
    const Case cases[] = {
        {"flat bar on the floor", TurnedKindAt(KIND_BAR, 0, 3, 20)},
        {"upright bar at the right wall", TurnedKindAt(KIND_BAR, 3, 7, 5)},
        {"upright bar at the left wall", TurnedKindAt(KIND_BAR, 1, -1, 5)},
        {"J at the left wall", TurnedKindAt(KIND_J, 1, -2, 5)},
        {"J on the floor", TurnedKindAt(KIND_J, 2, 3, 20)},
        {"S at the right wall", TurnedKindAt(KIND_S, 1, 7, 5)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        currentPiece = c.piece;
        RotatePiece();
        EXPECT_TRUE(SamePiece(currentPiece, c.piece)) << Dump(currentPiece);
    }
}

// Everywhere on the board and for every state, on empty and on cluttered boards, the live turn
// succeeds exactly when the next state's cells all lie on the board and on empty cells; a
// refused turn leaves the piece bit for bit as it was.
TEST_F(Moves, TurnSucceedsExactlyWhenTheTurnedCellsAreFreeAndOnTheBoard)
{
    uint32_t noise = 12345;
    auto nextNoise = [&noise]() {
        noise ^= noise << 13;
        noise ^= noise >> 17;
        noise ^= noise << 5;
        return noise;
    };
    int refused = 0, made = 0;
    for (int clutter = 0; clutter < 3; ++clutter)
        for (int kind = 1; kind <= 7; ++kind)
            for (int turns = 0; turns < 4; ++turns)
                for (int x = -3; x <= 9; ++x)
                    for (int y = 0; y <= 21; ++y) {
                        const PIECE piece = TurnedKindAt(kind, turns, x, y);
                        bool onBoard = true;
                        for (int i = 0; i < PIECE_GRID; ++i)
                            for (int j = 0; j < PIECE_GRID; ++j)
                                if (piece.cells[i][j] != 0 &&
                                    (x + i < 0 || x + i > 9 || y + j > 21))
                                    onBoard = false;
                        if (!onBoard)
                            continue;
                        for (int c = 0; c < BOARD_COLUMNS; ++c)
                            for (int r = 0; r < BOARD_ROWS; ++r)
                                board[c][r] = (clutter > 0 && !Filled(piece, c, r) &&
                                               nextNoise() % 8 < unsigned(clutter))
                                                  ? 2 + int(nextNoise() % 7)
                                                  : 0;
                        const PIECE turned =
                            TurnedKindAt(kind, kind == KIND_SQUARE ? turns : turns + 1, x, y);
                        bool allowed = kind != KIND_SQUARE;
                        for (int i = 0; i < PIECE_GRID; ++i)
                            for (int j = 0; j < PIECE_GRID; ++j) {
                                if (turned.cells[i][j] == 0)
                                    continue;
                                int c = x + i, r = y + j;
                                if (c < 0 || c > 9 || r > 21 || board[c][r] != 0)
                                    allowed = false;
                            }
                        currentPiece = piece;
                        RotatePiece();
                        const PIECE &expected = allowed ? turned : piece;
                        ASSERT_TRUE(SamePiece(currentPiece, expected))
                            << "kind " << kind << " turns " << turns << " at " << x << "," << y
                            << "\nexpected " << Dump(expected) << "\ngot " << Dump(currentPiece)
                            << "\n"
                            << Dump(board);
                        (allowed ? made : refused)++;
                    }
    EXPECT_GT(made, 1000);
    EXPECT_GT(refused, 1000);
}

TEST_F(Moves, TheSquareNeverTurns)
{
    const PIECE square = KindAt(KIND_SQUARE, 2, 9);
    currentPiece = square;
    for (int n = 0; n < 5; ++n)
        RotatePiece();
    EXPECT_TRUE(SamePiece(currentPiece, square));
}

// The turned T at (3,5) needs board cells (6,5) and (6,6) that the piece does not cover now;
// a block on either one refuses the turn, and its present cells never block it.
TEST_F(Moves, ASingleBlockedCellRefusesTheTurn)
{
    const PIECE t = KindAt(KIND_T, 3, 5);
    for (auto cell : {std::pair<int, int>{6, 5}, std::pair<int, int>{6, 6}}) {
        std::memset(board, 0, sizeof board);
        board[cell.first][cell.second] = 3;
        currentPiece = t;
        RotatePiece();
        EXPECT_TRUE(SamePiece(currentPiece, t)) << "block at " << cell.first << "," << cell.second;
    }
    std::memset(board, 0, sizeof board);
    board[4][6] = 3;  // beside the piece, not in the turned shape
    board[3][7] = 3;
    currentPiece = t;
    RotatePiece();
    EXPECT_EQ(CellsOf(currentPiece), CellsOf({{3, 0}, {3, 1}, {3, 2}, {2, 1}}));
}

}  // namespace
