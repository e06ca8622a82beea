// Decoding fuzzer bytes into a game state that satisfies the invariant of the falling piece.
#include "fuzz/engine_state.h"

#include <cstdio>
#include <cstdlib>

#include "autopilot/TumblixAI.h"
#include "game/game.h"

enum {
    KIND_COUNT = 7,
    FLAG_TOP_ROWS = 1,       // input flag: rows 0..2 may hold blocks too
    DEAL_ATTEMPTS = 100000,  // far more deals than rand needs to produce each kind
    LEFTMOST_X = -3,         // grid corner columns tried for the falling piece
    RIGHTMOST_X = BOARD_COLUMNS - 1
};

static int pieceCode(const PIECE *piece)
{
    for (int i = 0; i < PIECE_GRID; i++)
        for (int j = 0; j < PIECE_GRID; j++)
            if (piece->cells[i][j] != 0)
                return piece->cells[i][j];
    return 0;
}

// Deals until the waiting piece is of the wanted code. Dealing itself makes the shape, so
// the falling and waiting pieces are always real pieces as the engine deals them.
static void dealUntilNextIs(int code)
{
    for (int n = 0; n < DEAL_ATTEMPTS; n++) {
        if (pieceCode(&nextPiece) == code)
            return;
        NextPiece();
    }
    fprintf(stderr, "engine fuzz: dealing never produced cell code %d\n", code);
    abort();
}

static bool fitsOnBoard(const PIECE *piece, int column, int row)
{
    for (int i = 0; i < PIECE_GRID; i++)
        for (int j = 0; j < PIECE_GRID; j++)
            if (piece->cells[i][j] != 0 &&
                (column + i < 0 || column + i >= BOARD_COLUMNS || row + j >= BOARD_ROWS))
                return false;
    return true;
}

static void buildBoard(FuzzBytes *in)
{
    unsigned flags = TakeByte(in);
    unsigned codes = TakeByte(in);
    for (int r = 0; r < BOARD_ROWS; r++) {
        unsigned mask = TakeWord(in);
        if (r < TOP_OUT_ROWS && !(flags & FLAG_TOP_ROWS))
            mask = 0;
        for (int c = 0; c < BOARD_COLUMNS; c++)
            board[c][r] =
                (mask >> c & 1) ? CELL_FIRST_BLOCK + (int)((codes + c + r) % KIND_COUNT) : 0;
    }
}

// Puts the falling piece at one of the places where all its cells lie on the board, and
// empties the board under it.
static void placeFallingPiece(FuzzBytes *in)
{
    int places = 0;
    for (int column = LEFTMOST_X; column <= RIGHTMOST_X; column++)
        for (int row = 0; row < BOARD_ROWS; row++)
            if (fitsOnBoard(&currentPiece, column, row))
                places++;
    int chosen = (int)(TakeWord(in) % (unsigned)places);
    for (int column = LEFTMOST_X; column <= RIGHTMOST_X; column++)
        for (int row = 0; row < BOARD_ROWS; row++)
            if (fitsOnBoard(&currentPiece, column, row) && chosen-- == 0) {
                currentPiece.x = column;
                currentPiece.y = row;
            }
    for (int i = 0; i < PIECE_GRID; i++)
        for (int j = 0; j < PIECE_GRID; j++)
            if (currentPiece.cells[i][j] != 0)
                board[currentPiece.x + i][currentPiece.y + j] = CELL_EMPTY;
}

void BuildEngineState(FuzzBytes *in)
{
    unsigned seed = TakeWord(in);
    int fallingCode = CELL_FIRST_BLOCK + (int)(TakeByte(in) % KIND_COUNT);
    int waitingCode = CELL_FIRST_BLOCK + (int)(TakeByte(in) % KIND_COUNT);
    int turns = (int)(TakeByte(in) % 4);

    srand(seed);
    dealUntilNextIs(fallingCode);
    NextPiece();
    PIECE falling = currentPiece;
    dealUntilNextIs(waitingCode);
    currentPiece = falling;
    PIECE asDealt = falling;

    buildBoard(in);
    for (int n = 0; n < turns; n++)
        RotateAI(&currentPiece);
    placeFallingPiece(in);

    // The plan the game would have made when this piece was dealt; statics left over from
    // an earlier input must not leak into this one.
    thinkAI(board, &asDealt);
    srand(seed);

    if (const char *fault = GameStateFault()) {
        fprintf(stderr, "engine fuzz: the decoded state is already broken: %s\n", fault);
        abort();
    }
}
