// What the simulator learns from one gravity tick, seen from outside the engine.
//
// The engine keeps no counters. The simulator copies board and the pieces before and after
// each gravity tick and works out from the difference whether a piece locked, whether the
// game topped out and how many rows were cleared. A difference that no correct gravity
// step can produce is reported as a fault, like a broken invariant.
#ifndef TUMBLIX_SIM_OBSERVE_H
#define TUMBLIX_SIM_OBSERVE_H

#include "game/game.h"

// Cells one piece adds to the board, and cells one cleared row removes.
enum { SIM_PIECE_CELLS = 4, SIM_ROW_CELLS = BOARD_COLUMNS };

// A copy of the engine's public state.
struct SimSnapshot {
    int board[BOARD_COLUMNS][BOARD_ROWS];
    PIECE current;
    PIECE next;
};

// The outcome of one gravity tick.
struct TickOutcome {
    bool locked;       // the falling piece was written into the board
    bool toppedOut;    // that lock left a block in rows 0..2 and a new game began
    int linesCleared;  // rows removed by a lock that did not top out (0..4)
    int stackHeight;   // after a lock that did not top out: rows from the floor to the
                       // highest block left; 0 otherwise
};

// Copies board, currentPiece and nextPiece.
void TakeSnapshot(SimSnapshot *snapshot);

// Number of non-empty cells of a board.
int CountCells(const int b[BOARD_COLUMNS][BOARD_ROWS]);

// Rows from the floor up to and including the highest non-empty cell; 0 for an empty board.
int StackHeight(const int b[BOARD_COLUMNS][BOARD_ROWS]);

// Classifies the gravity tick that turned `before` into `after` (no steering in between).
// Returns 0 and fills *outcome, or a sentence saying why the change is impossible.
const char *ObserveGravityTick(const SimSnapshot *before, const SimSnapshot *after,
                               TickOutcome *outcome);

#endif
