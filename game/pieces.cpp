// The game state (well, falling piece, waiting piece) and dealing.
#include "game/game.h"

#include <stdlib.h>
#include <string.h>

int board[BOARD_COLUMNS][BOARD_ROWS];
PIECE currentPiece;
PIECE nextPiece;

enum { KIND_COUNT = 7, ENTRY_COLUMN = 3, ENTRY_ROW = 0 };

// The seven kinds as dealt, in grid rows 1 and 2: filled cells as (column, row) offsets.
struct Kind {
    signed char rotationType;
    signed char filled[4][2];
};

static const Kind kinds[KIND_COUNT] = {
    {TURN_WHOLE_GRID, {{0, 1}, {1, 1}, {2, 1}, {3, 1}}},  // bar
    {TURN_BOX, {{1, 1}, {1, 2}, {2, 2}, {3, 2}}},         // J
    {TURN_BOX, {{2, 1}, {1, 2}, {2, 2}, {3, 2}}},         // T
    {TURN_BOX, {{3, 1}, {1, 2}, {2, 2}, {3, 2}}},         // L
    {TURN_NEVER, {{1, 1}, {2, 1}, {1, 2}, {2, 2}}},       // square
    {TURN_WHOLE_GRID, {{0, 1}, {1, 1}, {1, 2}, {2, 2}}},  // Z
    {TURN_WHOLE_GRID, {{1, 1}, {2, 1}, {0, 2}, {1, 2}}},  // S
};

void NextPiece()
{
    currentPiece = nextPiece;
    memset(nextPiece.cells, 0, sizeof nextPiece.cells);

    int kind = rand() % KIND_COUNT + 1;
    const Kind &shape = kinds[kind - 1];
    for (int n = 0; n < 4; n++)
        nextPiece.cells[shape.filled[n][0]][shape.filled[n][1]] = (signed char)(kind + 1);
    nextPiece.rotationType = shape.rotationType;

    // Every piece enters with its grid's corner here, half above the visible well.
    currentPiece.x = ENTRY_COLUMN;
    currentPiece.y = ENTRY_ROW;
}
