// Works out locks, top-outs and cleared rows from copies of the game state.
#include "tools/sim_observe.h"

#include <cstring>

void TakeSnapshot(SimSnapshot *snapshot)
{
    memcpy(snapshot->board, board, sizeof board);
    snapshot->current = currentPiece;
    snapshot->next = nextPiece;
}

int CountCells(const int b[BOARD_COLUMNS][BOARD_ROWS])
{
    int cells = 0;
    for (int c = 0; c < BOARD_COLUMNS; c++)
        for (int r = 0; r < BOARD_ROWS; r++)
            if (b[c][r] != CELL_EMPTY)
                cells++;
    return cells;
}

int StackHeight(const int b[BOARD_COLUMNS][BOARD_ROWS])
{
    int top = BOARD_ROWS;
    for (int c = 0; c < BOARD_COLUMNS; c++)
        for (int r = 0; r < top; r++)
            if (b[c][r] != CELL_EMPTY) {
                top = r;
                break;
            }
    return BOARD_ROWS - top;
}

static bool SameCells(const PIECE *a, const PIECE *b)
{
    return memcmp(a->cells, b->cells, sizeof a->cells) == 0;
}

static bool SameBoard(const int a[BOARD_COLUMNS][BOARD_ROWS],
                      const int b[BOARD_COLUMNS][BOARD_ROWS])
{
    return memcmp(a, b, sizeof(int) * BOARD_COLUMNS * BOARD_ROWS) == 0;
}

// True when the piece, written into b where it stands, would leave a block in the top
// rows; b's own top rows count too. Cells off the board are passed over (the invariant
// check has already rejected them).
static bool LockTopsOut(const int b[BOARD_COLUMNS][BOARD_ROWS], const PIECE *piece)
{
    for (int c = 0; c < BOARD_COLUMNS; c++)
        for (int r = 0; r < TOP_OUT_ROWS; r++)
            if (b[c][r] != CELL_EMPTY)
                return true;
    for (int i = 0; i < PIECE_GRID; i++)
        for (int j = 0; j < PIECE_GRID; j++) {
            int column = piece->x + i, row = piece->y + j;
            if (piece->cells[i][j] != CELL_EMPTY && column >= 0 && column < BOARD_COLUMNS &&
                row >= 0 && row < TOP_OUT_ROWS)
                return true;
        }
    return false;
}

const char *ObserveGravityTick(const SimSnapshot *before, const SimSnapshot *after,
                               TickOutcome *outcome)
{
    TickOutcome o = {};

    // A step that does not lock moves the piece exactly one row down and touches nothing
    // else. A lock deals a new piece, which always enters at row 0.
    if (after->current.y == before->current.y + 1) {
        if (after->current.x != before->current.x || !SameCells(&after->current, &before->current))
            return "the gravity step moved the piece down but also changed its column or cells";
        if (!SameBoard(after->board, before->board))
            return "the gravity step moved the piece down but also changed the board";
        *outcome = o;
        return 0;
    }
    if (after->current.y != 0)
        return "after the gravity step the piece is neither one row lower nor a new piece at row 0";

    o.locked = true;
    o.toppedOut = LockTopsOut(before->board, &before->current);
    if (o.toppedOut) {
        if (CountCells(after->board) != 0)
            return "the game topped out but the new game's board is not empty";
        *outcome = o;
        return 0;
    }

    // Without a top-out the lock adds the piece's four cells and each cleared row takes
    // away a whole row of cells; the piece that was waiting becomes the falling one.
    int removed = CountCells(before->board) + SIM_PIECE_CELLS - CountCells(after->board);
    if (removed < 0 || removed % SIM_ROW_CELLS != 0 || removed / SIM_ROW_CELLS > SIM_PIECE_CELLS)
        return "the cells on the board after a lock do not match the piece added and whole rows "
               "cleared";
    if (!SameCells(&after->current, &before->next))
        return "after a lock the falling piece is not the piece that was waiting";
    o.linesCleared = removed / SIM_ROW_CELLS;
    o.stackHeight = StackHeight(after->board);
    *outcome = o;
    return 0;
}
