// The autopilot: plans where each new piece comes to rest, then steers it there.
//
// The plan is two statics private to TumblixAI.cpp: the target column of the piece's
// leftmost occupied cell and the quarter turns still to make. thinkAI sets both once per
// piece; makeMoveAI spends the turns first, then asks for one column per call.
#ifndef TUMBLIX_AUTOPILOT_H
#define TUMBLIX_AUTOPILOT_H

#include "game/game.h"

// Move codes returned by makeMoveAI.
enum { MOVE_NONE = 0, MOVE_LEFT = 1, MOVE_RIGHT = 2, MOVE_ROTATE = 3 };

// Tries every orientation and column of `piece`, dropped straight down on a copy of
// `playfield`, and keeps the best by holes, cleared rows and drop. Reads both arguments
// only. Called by NewGame and by Update after each deal. A piece with no occupied cell
// gets a plan of no turns and no move.
void thinkAI(const int playfield[BOARD_COLUMNS][BOARD_ROWS], const PIECE *piece);

// Number of empty cells below the first block of each column, summed over the columns.
int numOfHoles(const int playfield[BOARD_COLUMNS][BOARD_ROWS]);

// Copies all 220 cells of source into destination.
void boardcpy(int destination[BOARD_COLUMNS][BOARD_ROWS],
              const int source[BOARD_COLUMNS][BOARD_ROWS]);

// Turns the piece's cells a quarter turn in place by the turn rule, ignoring any board.
void RotateAI(PIECE *piece);

// One move towards the plan, for SteeringTick: MOVE_ROTATE while turns are pending (each
// call spends one, whether or not the turn then succeeds), then MOVE_LEFT or MOVE_RIGHT
// until the leftmost occupied cell reaches the target column, then MOVE_NONE. Reads only
// the piece's cells and x. A piece with no occupied cell gets MOVE_NONE.
int makeMoveAI(const PIECE *piece);

// Start and end hooks; nothing calls them. Both return 1.
int initAI();
int cleanUpAI();

#endif
