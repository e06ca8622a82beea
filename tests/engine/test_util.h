// Helpers shared by the engine tests: a clean engine, literal pieces and boards, reading the plan.
#ifndef TUMBLIX_TESTS_ENGINE_TEST_UTIL_H
#define TUMBLIX_TESTS_ENGINE_TEST_UTIL_H

#include "autopilot/TumblixAI.h"
#include "game/game.h"

#include <initializer_list>
#include <string>
#include <utility>

enum { KIND_BAR = 1, KIND_J, KIND_T, KIND_L, KIND_SQUARE, KIND_Z, KIND_S };

using Board = int[BOARD_COLUMNS][BOARD_ROWS];
using CellList = std::initializer_list<std::pair<int, int>>;

// Zeroes board, currentPiece and nextPiece, and leaves the autopilot with no pending turns.
void ResetEngine();

// A piece of the given kind as dealt (cells, code, rotationType) standing at (x, y).
PIECE KindAt(int kind, int x, int y);

// A piece with exactly these filled grid cells (column offset, row offset), all holding code.
PIECE PieceOf(CellList cells, int code, int rotationType, int x, int y);

// The filled grid cells of a piece, sorted, as "(i,j) (i,j) ..." for readable comparisons.
std::string CellsOf(const PIECE &piece);
std::string CellsOf(CellList cells);

// The board cells a piece covers, sorted, as "(column,row) ...".
std::string BoardCellsOf(const PIECE &piece);

bool SamePiece(const PIECE &a, const PIECE &b);  // byte for byte
std::string Dump(const PIECE &piece);
std::string Dump(const Board &b);

void ClearBoard(Board &b);
void FillRow(Board &b, int row, int code, std::initializer_list<int> gaps = {});

// A small deterministic generator for test data (independent of rand(), which dealing uses).
unsigned NextNoise(unsigned &state);

// A plausible stack: ragged columns at most maxHeight rows tall with some holes, and now and
// then a row that lacks one cell. Rows above 22 - maxHeight stay empty.
void RandomStack(Board &b, unsigned &state, int maxHeight);

// The first seed after which rand() % 7 + 1 yields exactly these kinds, in this order.
unsigned SeedForKinds(std::initializer_list<int> kinds);

// The plan as makeMoveAI shows it. Spends the pending turns (counting them), then finds the
// target column by probing with a one-cell piece. found is false when no column in a wide
// range gets MOVE_NONE or the answers are not left of target -> 2, right of target -> 1.
struct Plan {
    int rotate;
    int x;
    bool found;
};
Plan ReadPlan();

// Plans `piece` on `b` and reads the plan back.
Plan PlanFor(const Board &b, const PIECE &piece);

#endif
