// Steering moves of the falling piece: one column left or right, and the quarter turn.
//
// Each move is all or nothing: a refused move leaves currentPiece bit for bit as it was,
// which keeps the falling piece on the board and off every block.
#include "game/game.h"

#include <string.h>

static bool onBoard(int column, int row)
{
    return column >= 0 && column <= BOARD_COLUMNS - 1 && row >= 0 && row <= BOARD_ROWS - 1;
}

// The board with the piece's own cells marked, so that they never count as obstacles.
static void markPiece(int scratch[BOARD_COLUMNS][BOARD_ROWS])
{
    memcpy(scratch, board, sizeof board);
    for (int i = 0; i < PIECE_GRID; i++)
        for (int j = 0; j < PIECE_GRID; j++)
            if (currentPiece.cells[i][j] != 0 && onBoard(currentPiece.x + i, currentPiece.y + j))
                scratch[currentPiece.x + i][currentPiece.y + j] = CELL_SCRATCH;
}

// Whether every marked cell can step one column in `step` (-1 or +1): none stands in the
// wall column and none has a block beside it in that direction.
static int sideClear(const int scratch[BOARD_COLUMNS][BOARD_ROWS], int step)
{
    int moveAllowed = 1;
    int wall = step < 0 ? 0 : BOARD_COLUMNS - 1;
    for (int r = 0; r < BOARD_ROWS; r++)
        if (scratch[wall][r] == CELL_SCRATCH)
            moveAllowed = 0;
    for (int c = 0; c < BOARD_COLUMNS; c++) {
        if (c == wall)
            continue;
        for (int r = 0; r < BOARD_ROWS; r++)
            if (scratch[c][r] == CELL_SCRATCH && scratch[c + step][r] > CELL_SCRATCH)
                moveAllowed = 0;
    }
    return moveAllowed;
}

void left()
{
    int scratch[BOARD_COLUMNS][BOARD_ROWS];
    markPiece(scratch);
    if (sideClear(scratch, -1))
        currentPiece.x -= 1;
}

void right()
{
    int scratch[BOARD_COLUMNS][BOARD_ROWS];
    markPiece(scratch);
    if (sideClear(scratch, +1))
        currentPiece.x += 1;
}

void TurnCells(const signed char cells[PIECE_GRID][PIECE_GRID], int rotationType,
               signed char turned[PIECE_GRID][PIECE_GRID])
{
    if (rotationType == TURN_WHOLE_GRID) {
        for (int i = 0; i < PIECE_GRID; i++)
            for (int j = 0; j < PIECE_GRID; j++)
                turned[j][3 - i] = cells[i][j];
    } else if (rotationType == TURN_BOX) {
        // The 3 by 3 box of grid columns 1..3 and rows 0..2 turns about cell (2, 1).
        for (int i = 1; i < PIECE_GRID; i++)
            for (int j = 0; j < PIECE_GRID - 1; j++)
                turned[j + 1][3 - i] = cells[i][j];
    }
}

void RotatePiece()
{
    int moveAllowed = 1;
    signed char turned[PIECE_GRID][PIECE_GRID];
    memset(turned, 0, sizeof turned);

    if (currentPiece.rotationType == TURN_WHOLE_GRID || currentPiece.rotationType == TURN_BOX)
        TurnCells(currentPiece.cells, currentPiece.rotationType, turned);
    else
        moveAllowed = 0;

    // No wall kicks: a turn that would leave the board or land on a block is refused whole.
    for (int i = 0; i < PIECE_GRID; i++)
        for (int j = 0; j < PIECE_GRID; j++) {
            if (turned[i][j] == 0)
                continue;
            int column = currentPiece.x + i, row = currentPiece.y + j;
            if (!onBoard(column, row) || board[column][row] != 0)
                moveAllowed = 0;
        }

    if (moveAllowed)
        memcpy(currentPiece.cells, turned, sizeof turned);
}
