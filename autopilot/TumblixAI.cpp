// The autopilot: an exhaustive placement search once per piece, and steering that spends
// the plan one move per steering tick.
//
// The plan is the pair (x, rotate): the board column wanted for the piece's leftmost
// occupied cell, and the quarter turns still to make. Only thinkAI sets it; makeMoveAI
// counts rotate down.
#include "autopilot/TumblixAI.h"

#include <string.h>

static int x;       // target column of the leftmost occupied cell
static int rotate;  // quarter turns still to perform

enum {
    NO_PLAN_YET = 10000,    // above every reachable score (at most 210 holes)
    ROW_CLEARED_BONUS = 5,  // score points earned per row the drop clears
    ORIENTATIONS = 4
};

static bool columnOccupied(const PIECE *piece, int column)
{
    for (int j = 0; j < PIECE_GRID; j++)
        if (piece->cells[column][j] != 0)
            return true;
    return false;
}

// The lowest grid column holding a cell, or -1 for a piece with none.
static int leftEdge(const PIECE *piece)
{
    for (int i = 0; i < PIECE_GRID; i++)
        if (columnOccupied(piece, i))
            return i;
    return -1;
}

static int rightEdge(const PIECE *piece)
{
    for (int i = PIECE_GRID - 1; i >= 0; i--)
        if (columnOccupied(piece, i))
            return i;
    return -1;
}

// Drops the trial piece straight down in grid-left column `column` and scores where it
// lands: holes, minus a bonus per cleared row, minus the rows dropped. Lower is better.
static int scoreDrop(const int playfield[BOARD_COLUMNS][BOARD_ROWS], const PIECE *trial, int column)
{
    int trialBoard[BOARD_COLUMNS][BOARD_ROWS];
    boardcpy(trialBoard, playfield);

    int drop = 0;
    while (!PieceRests(trialBoard, trial->cells, column, trial->y + drop))
        drop++;
    LockCells(trialBoard, trial->cells, column, trial->y + drop);
    int cleared = ClearFullRows(trialBoard);
    return numOfHoles(trialBoard) - ROW_CLEARED_BONUS * cleared - drop;
}

void thinkAI(const int playfield[BOARD_COLUMNS][BOARD_ROWS], const PIECE *piece)
{
    rotate = 0;
    PIECE trial = *piece;
    if (leftEdge(&trial) < 0) {
        // Nothing to place: no turns, and a target that asks for no move.
        x = piece->x;
        return;
    }

    int best = NO_PLAN_YET;
    for (int turns = 0; turns < ORIENTATIONS; turns++) {
        int leftmost = leftEdge(&trial), rightmost = rightEdge(&trial);
        // Exactly the grid-left columns that keep every cell between the walls; on ties
        // the first found wins: fewer turns, then the leftmost column.
        for (int column = -leftmost; column <= BOARD_COLUMNS - 1 - rightmost; column++) {
            int score = scoreDrop(playfield, &trial, column);
            if (score < best) {
                x = leftmost + column;
                rotate = turns;
                best = score;
            }
        }
        RotateAI(&trial);
    }
}

int numOfHoles(const int playfield[BOARD_COLUMNS][BOARD_ROWS])
{
    int holes = 0;
    for (int c = 0; c < BOARD_COLUMNS; c++) {
        bool underBlock = false;
        for (int r = 0; r < BOARD_ROWS; r++) {
            if (playfield[c][r] != 0)
                underBlock = true;
            else if (underBlock)
                holes++;
        }
    }
    return holes;
}

void boardcpy(int destination[BOARD_COLUMNS][BOARD_ROWS],
              const int source[BOARD_COLUMNS][BOARD_ROWS])
{
    for (int c = 0; c < BOARD_COLUMNS; c++)
        for (int r = 0; r < BOARD_ROWS; r++)
            destination[c][r] = source[c][r];
}

void RotateAI(PIECE *piece)
{
    signed char turned[PIECE_GRID][PIECE_GRID];
    memset(turned, 0, sizeof turned);
    if (piece->rotationType == TURN_WHOLE_GRID || piece->rotationType == TURN_BOX)
        TurnCells(piece->cells, piece->rotationType, turned);
    else
        memcpy(turned, piece->cells, sizeof turned);
    memcpy(piece->cells, turned, sizeof turned);
}

int makeMoveAI(const PIECE *piece)
{
    if (rotate != 0) {
        rotate--;
        return MOVE_ROTATE;
    }
    int edge = leftEdge(piece);
    if (edge < 0)
        return MOVE_NONE;
    int column = piece->x + edge;
    if (column > x)
        return MOVE_LEFT;
    if (column < x)
        return MOVE_RIGHT;
    return MOVE_NONE;
}

int initAI()
{
    return 1;
}

int cleanUpAI()
{
    return 1;
}
