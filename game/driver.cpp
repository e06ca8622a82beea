// The game driver: starts a game, restarts it after every top-out, and turns the two
// timer ticks into game steps. It keeps no state of its own.
#include "game/game.h"
#include "autopilot/TumblixAI.h"

#include <stdlib.h>
#include <string.h>
#include <time.h>

void StartGame()
{
    srand((unsigned)time(NULL));
    NewGame();
}

void NewGame()
{
    memset(board, 0, sizeof board);
    // The first deal makes the waiting piece current; the second replaces it, so the piece
    // that was waiting when the last game topped out is never played.
    NextPiece();
    NextPiece();
    thinkAI(board, &currentPiece);
}

void GravityTick()
{
    if (Update() != 0)
        NewGame();
}

void SteeringTick()
{
    switch (makeMoveAI(&currentPiece)) {
    case MOVE_LEFT:
        left();
        break;
    case MOVE_RIGHT:
        right();
        break;
    case MOVE_ROTATE:
        RotatePiece();
        break;
    default:
        break;
    }
}
