// Whole-state checker for tests and the simulator: the cell codes of the well and the
// invariant of the falling piece.
#include "game/game.h"

const char *GameStateFault()
{
    for (int c = 0; c < BOARD_COLUMNS; c++)
        for (int r = 0; r < BOARD_ROWS; r++) {
            int code = board[c][r];
            if (code != CELL_EMPTY && (code < CELL_FIRST_BLOCK || code > CELL_LAST_BLOCK))
                return "board holds a cell code other than 0 and 2 to 8";
        }

    int filled = 0;
    for (int i = 0; i < PIECE_GRID; i++)
        for (int j = 0; j < PIECE_GRID; j++) {
            int code = currentPiece.cells[i][j];
            if (code == 0)
                continue;
            filled++;
            if (code < CELL_FIRST_BLOCK || code > CELL_LAST_BLOCK)
                return "the falling piece holds a cell code other than 0 and 2 to 8";
            int column = currentPiece.x + i, row = currentPiece.y + j;
            if (column < 0 || column >= BOARD_COLUMNS || row < 0 || row >= BOARD_ROWS)
                return "a cell of the falling piece lies off the board";
            if (board[column][row] != 0)
                return "a cell of the falling piece overlaps a block of the board";
        }
    if (filled != 4)
        return "the falling piece does not have four filled cells";
    return 0;
}
