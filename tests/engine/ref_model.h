// A second, independent implementation of the whole game, used only to cross-check the engine.
//
// It shares no code and no header with the engine: its own records, its own shape table and its
// own copy of every rule, written plainly and step by step so that it can be read against the
// rules themselves. All of its state lives in one Game record owned by the caller; the only
// thing it shares with the engine is the runtime's rand(), which Deal draws from exactly as
// the engine's dealing does (one rand() per deal).
#ifndef TUMBLIX_TESTS_REF_MODEL_H
#define TUMBLIX_TESTS_REF_MODEL_H

namespace ref
{

enum { COLUMNS = 10, ROWS = 22, GRID = 4 };

struct Piece {
    signed char cells[GRID][GRID];  // [column offset][row offset]: 0 or the cell code
    signed char rotationType;       // 1 whole grid, 2 turn box, 3 never, 0 never dealt
    int x;                          // board column of grid column 0
    int y;                          // board row of grid row 0
};

struct Game {
    int board[COLUMNS][ROWS];  // [column][row], row 0 at the top
    Piece current;
    Piece next;
    int planX;       // target column of the leftmost occupied cell
    int planRotate;  // quarter turns still to ask for
};

// The shape of kind 1..7 as dealt, with x and y 0.
Piece Shape(int kind);

// Single rules, exposed so that tests can use the model as an oracle for one step.
void Deal(Game &game);
void Left(Game &game);
void Right(Game &game);
void Turn(Game &game);                // the live turn, refused on collision
void TurnFree(Piece &piece);          // the same quarter turn, ignoring any board
int Gravity(Game &game);              // 1 on top-out
int ClearRows(int b[COLUMNS][ROWS]);  // rows removed
int Holes(const int b[COLUMNS][ROWS]);
void Plan(Game &game, const int b[COLUMNS][ROWS], const Piece &piece);
int NextMove(Game &game, const Piece &piece);

// The driver.
void NewGame(Game &game);
void GravityTick(Game &game);
void SteeringTick(Game &game);

}  // namespace ref

#endif
