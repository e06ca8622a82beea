// Tests of what the simulator reads from one gravity tick: falls, locks, cleared rows,
// top-outs, and the changes no gravity step can make.
#include <gtest/gtest.h>

#include <cstring>

#include "tools/sim_observe.h"

namespace
{

const int BAR = 2, SQUARE = 6;  // cell codes of the bar and the square

// A flat bar, as dealt: grid row 1, grid columns 0..3.
PIECE Bar(int x, int y)
{
    PIECE p = {};
    for (int i = 0; i < PIECE_GRID; i++)
        p.cells[i][1] = BAR;
    p.rotationType = TURN_WHOLE_GRID;
    p.x = x;
    p.y = y;
    return p;
}

// A square, as dealt: grid columns 1..2, grid rows 1..2.
PIECE Square(int x, int y)
{
    PIECE p = {};
    p.cells[1][1] = p.cells[2][1] = p.cells[1][2] = p.cells[2][2] = SQUARE;
    p.rotationType = TURN_NEVER;
    p.x = x;
    p.y = y;
    return p;
}

void FillRow(SimSnapshot *s, int row, int fromColumn, int toColumn)
{
    for (int c = fromColumn; c <= toColumn; c++)
        s->board[c][row] = SQUARE;
}

// Writes the piece into the snapshot's board where it stands.
void Place(SimSnapshot *s, const PIECE &p)
{
    for (int i = 0; i < PIECE_GRID; i++)
        for (int j = 0; j < PIECE_GRID; j++)
            if (p.cells[i][j])
                s->board[p.x + i][p.y + j] = p.cells[i][j];
}

struct Tick {
    SimSnapshot before = {}, after = {};
    TickOutcome outcome = {};
    const char *Observe() { return ObserveGravityTick(&before, &after, &outcome); }
};

TEST(SimObserve, CountsCellsAndStackHeight)
{
    SimSnapshot s = {};
    EXPECT_EQ(CountCells(s.board), 0);
    EXPECT_EQ(StackHeight(s.board), 0);
    s.board[0][21] = BAR;
    EXPECT_EQ(StackHeight(s.board), 1);
    s.board[9][3] = BAR;
    EXPECT_EQ(StackHeight(s.board), 19);
    EXPECT_EQ(CountCells(s.board), 2);
}

TEST(SimObserve, AFallMovesThePieceOneRowAndNothingElse)
{
    Tick t;
    FillRow(&t.before, 21, 0, 4);
    t.before.current = Square(3, 5);
    t.before.next = Bar(0, 0);
    t.after = t.before;
    t.after.current.y = 6;
    ASSERT_EQ(t.Observe(), nullptr);
    EXPECT_FALSE(t.outcome.locked);
    EXPECT_FALSE(t.outcome.toppedOut);
    EXPECT_EQ(t.outcome.linesCleared, 0);

    Tick moved = t;
    moved.after.current.x = 4;
    EXPECT_NE(moved.Observe(), nullptr);
    Tick turned = t;
    turned.after.current = Bar(3, 6);
    EXPECT_NE(turned.Observe(), nullptr);
    Tick touched = t;
    touched.after.board[9][21] = BAR;
    EXPECT_NE(touched.Observe(), nullptr);
    Tick jumped = t;
    jumped.after.current.y = 7;
    EXPECT_NE(jumped.Observe(), nullptr);
}

TEST(SimObserve, ALockCountsTheRowsItClears)
{
    Tick t;  // a bar lands on row 21 next to six blocks, and on a row 20 of nine more
    FillRow(&t.before, 21, 0, 5);
    FillRow(&t.before, 20, 0, 8);
    t.before.current = Bar(6, 20);
    t.before.next = Square(0, 0);
    t.after.current = Square(3, 0);
    FillRow(&t.after, 21, 0, 8);  // row 21 cleared, row 20 came down
    ASSERT_EQ(t.Observe(), nullptr) << t.Observe();
    EXPECT_TRUE(t.outcome.locked);
    EXPECT_FALSE(t.outcome.toppedOut);
    EXPECT_EQ(t.outcome.linesCleared, 1);
    EXPECT_EQ(t.outcome.stackHeight, 1);

    Tick kept = t;  // no row full: the four cells stay
    kept.before.board[0][21] = 0;
    kept.after = kept.before;
    Place(&kept.after, kept.before.current);
    kept.after.current = Square(3, 0);
    ASSERT_EQ(kept.Observe(), nullptr) << kept.Observe();
    EXPECT_TRUE(kept.outcome.locked);
    EXPECT_EQ(kept.outcome.linesCleared, 0);
    EXPECT_EQ(kept.outcome.stackHeight, 2);
}

TEST(SimObserve, AnEmptyWellAfterALockIsACleanClearUnlessTheTopRowsFilled)
{
    Tick clean;  // six blocks plus a bar make one full row and leave nothing
    FillRow(&clean.before, 21, 0, 5);
    clean.before.current = Bar(6, 20);
    clean.before.next = Square(0, 0);
    clean.after.current = Square(3, 0);
    ASSERT_EQ(clean.Observe(), nullptr);
    EXPECT_FALSE(clean.outcome.toppedOut);
    EXPECT_EQ(clean.outcome.linesCleared, 1);
    EXPECT_EQ(clean.outcome.stackHeight, 0);

    Tick over;  // a square resting at row 2 tops out; the new game starts empty
    FillRow(&over.before, 3, 0, 9);
    for (int r = 4; r < BOARD_ROWS; r++)
        over.before.board[0][r] = BAR;
    over.before.current = Square(3, 0);  // cells on rows 1 and 2, resting on row 3
    over.before.next = Bar(0, 0);
    over.after.current = Bar(3, 0);  // any new piece
    ASSERT_EQ(over.Observe(), nullptr);
    EXPECT_TRUE(over.outcome.locked);
    EXPECT_TRUE(over.outcome.toppedOut);
    EXPECT_EQ(over.outcome.linesCleared, 0);

    Tick leftovers = over;  // a top-out that leaves blocks behind is wrong
    leftovers.after.board[0][21] = BAR;
    EXPECT_NE(leftovers.Observe(), nullptr);
}

TEST(SimObserve, ALockMustAddTheFourCellsAndDealTheWaitingPiece)
{
    Tick t;
    FillRow(&t.before, 21, 0, 3);
    t.before.current = Square(3, 18);  // cells on rows 19, 20 of columns 4, 5
    t.before.next = Bar(0, 0);
    t.after = t.before;
    Place(&t.after, t.before.current);
    t.after.current = Bar(3, 0);
    ASSERT_EQ(t.Observe(), nullptr);

    Tick lost = t;  // a cell vanished
    lost.after.board[5][20] = 0;
    EXPECT_NE(lost.Observe(), nullptr);
    Tick extra = t;  // a cell appeared
    extra.after.board[9][21] = SQUARE;
    EXPECT_NE(extra.Observe(), nullptr);
    Tick wrong = t;  // the new piece is not the one that waited
    wrong.after.current = Square(3, 0);
    EXPECT_NE(wrong.Observe(), nullptr);
    Tick stuck = t;  // after a lock the new piece starts at row 0
    stuck.after.current.y = 4;
    EXPECT_NE(stuck.Observe(), nullptr);
}

}  // namespace
