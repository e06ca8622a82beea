// Benchmarks of the engine's hot paths: the placement search, the gravity step and a whole
// gravity period of the game. Run by `make bench`; never part of the tests.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "autopilot/TumblixAI.h"
#include "game/game.h"

namespace
{

const char *const KIND_NAMES[] = {"", "bar", "J", "T", "L", "square", "Z", "S"};
enum { FIRST_KIND = 1, LAST_KIND = 7, CLUTTER_TOP_ROW = 10 };

// The code of the first filled cell of a piece (kind + 1), 0 for an empty piece.
int PieceCode(const PIECE &piece)
{
    for (int i = 0; i < PIECE_GRID; i++)
        for (int j = 0; j < PIECE_GRID; j++)
            if (piece.cells[i][j])
                return piece.cells[i][j];
    return 0;
}

// Deals until currentPiece is of the given kind, as dealt, at the entry position.
void DealKind(int kind)
{
    srand(1);
    do
        NextPiece();
    while (PieceCode(currentPiece) != kind + 1);
}

// A stack of twelve rows (rows 10..21) with holes and ragged columns and no full row: the
// search has to drop every candidate a long way less and count holes in every column.
void FillCluttered(int b[BOARD_COLUMNS][BOARD_ROWS])
{
    memset(b, 0, sizeof(int) * BOARD_COLUMNS * BOARD_ROWS);
    for (int c = 0; c < BOARD_COLUMNS; c++)
        for (int r = CLUTTER_TOP_ROW; r < BOARD_ROWS; r++)
            if ((c * 7 + r * 3) % 5 != 0)
                b[c][r] = CELL_FIRST_BLOCK + (c + r) % 7;
}

// The placement search for the kind given as the benchmark's argument, on an empty well or
// on a cluttered one.
void SearchWell(benchmark::State &state, bool cluttered)
{
    int kind = static_cast<int>(state.range(0));
    DealKind(kind);
    int well[BOARD_COLUMNS][BOARD_ROWS] = {};
    if (cluttered)
        FillCluttered(well);
    for (auto _ : state) {
        thinkAI(well, &currentPiece);
        benchmark::ClobberMemory();
    }
    state.SetLabel(KIND_NAMES[kind]);
}

void BM_ThinkAIEmpty(benchmark::State &state)
{
    SearchWell(state, false);
}
BENCHMARK(BM_ThinkAIEmpty)->DenseRange(FIRST_KIND, LAST_KIND);

void BM_ThinkAICluttered(benchmark::State &state)
{
    SearchWell(state, true);
}
BENCHMARK(BM_ThinkAICluttered)->DenseRange(FIRST_KIND, LAST_KIND);

// A gravity step that only moves the piece one row down: a T near the top of an empty well.
void BM_UpdateFall(benchmark::State &state)
{
    DealKind(3);
    memset(board, 0, sizeof board);
    if (Update() != 0 || currentPiece.y != 1)
        state.SkipWithError("the T did not just fall");
    for (auto _ : state) {
        currentPiece.y = 0;  // keep it falling; the step itself moves it to row 1
        benchmark::DoNotOptimize(Update());
    }
}
BENCHMARK(BM_UpdateFall);

// A gravity step that locks a T resting on the cluttered stack, deals the next piece, clears
// nothing and plans the new piece. Each iteration also restores the board and the piece
// (two small copies, well under a percent of the step).
void BM_UpdateLock(benchmark::State &state)
{
    DealKind(3);
    int cluttered[BOARD_COLUMNS][BOARD_ROWS];
    FillCluttered(cluttered);
    PIECE resting = currentPiece;
    while (!PieceRests(cluttered, resting.cells, resting.x, resting.y))
        resting.y++;
    memcpy(board, cluttered, sizeof board);
    currentPiece = resting;
    if (Update() != 0 || currentPiece.y != 0 || memcmp(board, cluttered, sizeof board) == 0)
        state.SkipWithError("the T did not lock without topping out");
    for (auto _ : state) {
        memcpy(board, cluttered, sizeof board);
        currentPiece = resting;
        benchmark::DoNotOptimize(Update());
    }
}
BENCHMARK(BM_UpdateLock);

// One gravity period of a running game, as the saver's timers drive it: a steering tick, the
// gravity tick, another steering tick. Locks, clears and top-outs come at their natural rate.
void BM_GameTick(benchmark::State &state)
{
    srand(1);
    NewGame();
    for (auto _ : state) {
        SteeringTick();
        GravityTick();
        SteeringTick();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GameTick);

}  // namespace

BENCHMARK_MAIN();
