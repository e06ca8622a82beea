// The gravity step: the falling piece moves down a row, or locks, and full rows clear.
//
// A piece is locked by the step after the one that brought it to rest, so steering can
// still shift or turn it in between.
#include "game/game.h"
#include "autopilot/TumblixAI.h"

#include <string.h>

bool PieceRests(const int b[BOARD_COLUMNS][BOARD_ROWS],
                const signed char cells[PIECE_GRID][PIECE_GRID], int column, int row)
{
    // At or past the floor: the placement search turns a copy of the piece without a board
    // test, so near the floor a trial may already reach below row 21; it must rest there
    // rather than fall for ever.
    for (int i = 0; i < PIECE_GRID; i++)
        for (int j = 0; j < PIECE_GRID; j++)
            if (cells[i][j] != 0 && row + j >= BOARD_ROWS - 1)
                return true;
    for (int i = 0; i < PIECE_GRID; i++)
        for (int j = 0; j < PIECE_GRID; j++) {
            int c = column + i, below = row + j + 1;
            if (c >= 0 && c <= BOARD_COLUMNS - 1 && below >= 0 && below <= BOARD_ROWS - 1 &&
                cells[i][j] != 0 && b[c][below] != 0)
                return true;
        }
    return false;
}

void LockCells(int b[BOARD_COLUMNS][BOARD_ROWS], const signed char cells[PIECE_GRID][PIECE_GRID],
               int column, int row)
{
    for (int i = 0; i < PIECE_GRID; i++)
        for (int j = 0; j < PIECE_GRID; j++) {
            int c = column + i, r = row + j;
            if (c >= 0 && c <= BOARD_COLUMNS - 1 && r >= 0 && r <= BOARD_ROWS - 1 &&
                cells[i][j] != 0)
                b[c][r] = cells[i][j];
        }
}

static bool rowFull(const int b[BOARD_COLUMNS][BOARD_ROWS], int r)
{
    for (int c = 0; c < BOARD_COLUMNS; c++)
        if (b[c][r] == 0)
            return false;
    return true;
}

int ClearFullRows(int b[BOARD_COLUMNS][BOARD_ROWS])
{
    int cleared = 0;
    // Row 0 is never examined or moved; a full row pulls rows 1..r-1 down and row r is
    // examined again, since it now holds what was above it.
    for (int r = BOARD_ROWS - 1; r > 0;) {
        if (!rowFull(b, r)) {
            r--;
            continue;
        }
        for (int c = 0; c < BOARD_COLUMNS; c++) {
            for (int k = r - 1; k >= 1; k--) {
                b[c][k + 1] = b[c][k];
                b[c][k] = 0;
            }
            // Row 1 ends empty; this also ends the pass when row 1 itself was full,
            // since nothing moves down into it from the fixed row 0.
            b[c][1] = 0;
        }
        cleared++;
    }
    return cleared;
}

int Update()
{
    int work[BOARD_COLUMNS][BOARD_ROWS];
    memcpy(work, board, sizeof board);

    int landed = PieceRests(work, currentPiece.cells, currentPiece.x, currentPiece.y) ? 1 : 0;
    if (landed) {
        LockCells(work, currentPiece.cells, currentPiece.x, currentPiece.y);
        memcpy(board, work, sizeof board);
        NextPiece();
    }

    // Tested on the board as locked, before any row clears: a lock that completes a row
    // but reaches the top rows still ends the game.
    int toppedOut = 0;
    for (int c = 0; c < BOARD_COLUMNS; c++)
        for (int r = 0; r < TOP_OUT_ROWS; r++)
            if (work[c][r] != 0)
                toppedOut = 1;

    if (landed && !toppedOut)
        ClearFullRows(board);

    if (landed)
        thinkAI(board, &currentPiece);
    else
        currentPiece.y += 1;
    return toppedOut;
}
