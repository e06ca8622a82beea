// Fuzz target: the engine's operations in any order from any valid state, with the whole
// state checked after every call.
//
// Input: the state (see engine_state.h), then one byte per operation. After each call the
// invariant of the falling piece must hold, and each operation may change only what it
// owns: the moves are all or nothing, the search and the steering only read the state,
// and the board changes only when a piece locks (by four cells less ten per cleared row).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "autopilot/TumblixAI.h"
#include "fuzz/engine_state.h"
#include "fuzz/fuzz_bytes.h"
#include "game/game.h"

enum {
    MAX_OPERATIONS = 4096,  // bounds the time one input can take
    OPERATION_KINDS = 7
};

struct Snapshot {
    int board[BOARD_COLUMNS][BOARD_ROWS];
    PIECE piece;
};

static Snapshot takeSnapshot()
{
    Snapshot s;
    memcpy(s.board, board, sizeof board);
    s.piece = currentPiece;
    return s;
}

static void fail(const char *operation, int step, const char *what)
{
    fprintf(stderr, "engine fuzz: after %s (operation %d): %s\n", operation, step, what);
    abort();
}

static bool sameBoard(const Snapshot *before)
{
    return memcmp(before->board, board, sizeof board) == 0;
}

static bool sameCells(const PIECE *a, const PIECE *b)
{
    return memcmp(a->cells, b->cells, sizeof a->cells) == 0;
}

static bool samePiece(const PIECE *a, const PIECE *b)
{
    return sameCells(a, b) && a->rotationType == b->rotationType && a->x == b->x && a->y == b->y;
}

static int blockCount(const int b[BOARD_COLUMNS][BOARD_ROWS])
{
    int n = 0;
    for (int c = 0; c < BOARD_COLUMNS; c++)
        for (int r = 0; r < BOARD_ROWS; r++)
            n += b[c][r] != 0;
    return n;
}

static void checkSideways(const char *name, int step, const Snapshot *before, int shift)
{
    if (!sameBoard(before))
        fail(name, step, "the board changed");
    PIECE moved = before->piece;
    moved.x += shift;
    if (!samePiece(&currentPiece, &before->piece) && !samePiece(&currentPiece, &moved))
        fail(name, step, "the piece changed other than by one column");
}

static void checkTurn(int step, const Snapshot *before)
{
    if (!sameBoard(before))
        fail("RotatePiece", step, "the board changed");
    PIECE turned = before->piece;
    memset(turned.cells, 0, sizeof turned.cells);
    TurnCells(before->piece.cells, before->piece.rotationType, turned.cells);
    if (!samePiece(&currentPiece, &before->piece) && !samePiece(&currentPiece, &turned))
        fail("RotatePiece", step, "the piece changed other than by its quarter turn");
}

static void checkReadOnly(const char *name, int step, const Snapshot *before)
{
    if (!sameBoard(before) || !samePiece(&currentPiece, &before->piece))
        fail(name, step, "the board or the falling piece changed");
}

// A gravity step without top-out either moves the piece down a row and leaves the board
// alone, or locks four cells and clears whole rows.
static void checkGravity(int step, const Snapshot *before, int toppedOut)
{
    if (toppedOut != 0 && toppedOut != 1)
        fail("Update", step, "the result is neither 0 nor 1");
    if (toppedOut)
        return;
    PIECE lowered = before->piece;
    lowered.y += 1;
    if (sameBoard(before) && samePiece(&currentPiece, &lowered))
        return;
    int added = blockCount(board) - blockCount(before->board);
    if (added > 4 || (4 - added) % BOARD_COLUMNS != 0)
        fail("Update", step, "the board changed by something other than a lock and whole rows");
    if (currentPiece.x != 3 || currentPiece.y != 0)
        fail("Update", step, "the piece after a lock is not a new piece at the entry place");
}

static void runOperation(unsigned code, int step)
{
    Snapshot before = takeSnapshot();
    const char *name = "?";
    switch (code % OPERATION_KINDS) {
    case 0:
        name = "left";
        left();
        checkSideways(name, step, &before, -1);
        break;
    case 1:
        name = "right";
        right();
        checkSideways(name, step, &before, +1);
        break;
    case 2:
        name = "RotatePiece";
        RotatePiece();
        checkTurn(step, &before);
        break;
    case 3: {
        name = "Update";
        int toppedOut = Update();
        if (toppedOut)
            NewGame();
        checkGravity(step, &before, toppedOut);
        break;
    }
    case 4:
        name = "thinkAI";
        thinkAI(board, &currentPiece);
        checkReadOnly(name, step, &before);
        break;
    case 5: {
        name = "makeMoveAI";
        int move = makeMoveAI(&currentPiece);
        checkReadOnly(name, step, &before);
        if (move < MOVE_NONE || move > MOVE_ROTATE)
            fail(name, step, "the move code is not 0 to 3");
        break;
    }
    default:
        name = "SteeringTick";
        SteeringTick();
        break;
    }
    if (const char *fault = GameStateFault())
        fail(name, step, fault);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzBytes in = FuzzBytesOf(data, size);
    BuildEngineState(&in);
    for (int step = 0; step < MAX_OPERATIONS && FuzzBytesLeft(&in) > 0; step++)
        runOperation(TakeByte(&in), step);
    return 0;
}
