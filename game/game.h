// The game engine: the well, the falling and waiting pieces, and the rules that move them.
//
// Invariant of the falling piece: every filled cell of currentPiece stands on the board
// (column 0..9, row 0..21) on a cell of board that holds 0. Dealing establishes it and
// left, right, RotatePiece and Update keep it. The falling piece is never stored in board
// until it locks.
//
// Everything here is plain static state and free functions; nothing is allocated. The only
// things called outside the engine are rand, srand and time.
#ifndef TUMBLIX_GAME_H
#define TUMBLIX_GAME_H

enum {
    BOARD_COLUMNS = 10,  // cells across the well
    BOARD_ROWS = 22,     // cells down the well; rows 0 and 1 sit above the visible part
    PIECE_GRID = 4,      // a piece's shape lives in a 4 by 4 grid
    TOP_OUT_ROWS = 3     // a lock that leaves a block in rows 0..2 ends the game
};

// Cell codes: 0 empty, 2..8 a block of piece kind 1..7 (code = kind + 1). Code 1 marks the
// piece's own cells in the scratch copy of a sideways move and never reaches board.
enum { CELL_EMPTY = 0, CELL_SCRATCH = 1, CELL_FIRST_BLOCK = 2, CELL_LAST_BLOCK = 8 };

// How a piece turns: the whole grid, only the 3 by 3 box of grid columns 1..3 and rows
// 0..2, or not at all (0 only in a record that was never dealt).
enum { TURN_WHOLE_GRID = 1, TURN_BOX = 2, TURN_NEVER = 3 };

struct PIECE {
    signed char cells[PIECE_GRID][PIECE_GRID];  // [column offset][row offset]: 0 or the cell code
    signed char rotationType;                   // TURN_WHOLE_GRID, TURN_BOX or TURN_NEVER
    int x;                                      // board column of grid column 0 (may be negative)
    int y;                                      // board row of grid row 0 (never negative)
};

// The playfield, [column][row]; row 0 at the top, row 21 the floor. Written only by the
// game driver (emptying) and by Update (locking and clearing).
extern int board[BOARD_COLUMNS][BOARD_ROWS];
extern PIECE currentPiece;  // the falling piece
extern PIECE nextPiece;     // the waiting piece; never shown

// Dealing. Makes nextPiece current at column 3, row 0 and draws a new nextPiece with
// rand() % 7 + 1. Called twice by NewGame and once by Update after each lock.
void NextPiece();

// Steering moves of currentPiece, called by SteeringTick. Each makes its whole move or
// leaves currentPiece bit for bit unchanged, and reports nothing.
void left();
void right();
void RotatePiece();

// The turn rule: one quarter turn, counter-clockwise on screen, of a piece's cells by its
// rotationType. Fills `turned` (which the caller has zeroed) for types 1 and 2 and leaves
// it untouched for any other type. Used by RotatePiece and by the autopilot's RotateAI.
void TurnCells(const signed char cells[PIECE_GRID][PIECE_GRID], int rotationType,
               signed char turned[PIECE_GRID][PIECE_GRID]);

// The landing test shared by the gravity step and the placement search: true when a piece
// with these cells, grid corner at (column, row), stands on the floor or on a block of b
// (or reaches below the floor, which only a turned trial copy of the search can).
bool PieceRests(const int b[BOARD_COLUMNS][BOARD_ROWS],
                const signed char cells[PIECE_GRID][PIECE_GRID], int column, int row);

// Writes the piece's occupied cells into b where they stand. Shared as above.
void LockCells(int b[BOARD_COLUMNS][BOARD_ROWS], const signed char cells[PIECE_GRID][PIECE_GRID],
               int column, int row);

// Removes every full row of b, bottom up, moving rows 1..r-1 down for each; row 0 is
// never moved or examined. Returns the number of rows removed.
int ClearFullRows(int b[BOARD_COLUMNS][BOARD_ROWS]);

// The gravity step, once per gravity tick: moves currentPiece one row down, or locks it,
// deals, clears full rows and plans the new piece. Returns 1 when the well has topped out.
int Update();

// The game driver, called by the window procedure.
void StartGame();     // on window creation: seed rand from the clock, then NewGame
void NewGame();       // empty board, deal twice, plan the first piece; also after top-out
void GravityTick();   // timer 1 (40 ms): Update, and NewGame on top-out
void SteeringTick();  // timer 2 (20 ms): one move as the autopilot asks

// Whole-state check for tests and the simulator: returns 0 when board holds only codes 0
// and 2..8 and currentPiece satisfies the invariant above, else a sentence saying what broke.
const char *GameStateFault();

#endif
