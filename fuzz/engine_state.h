// Decoding fuzzer bytes into a game state that satisfies the invariant of the falling piece.
//
// The state is anything the engine's operations may meet, not only what play reaches:
// any pattern of blocks (rows 0..2 included when the input asks for it), a falling piece of
// any kind in any of its four orientations at any place where it fits, a waiting piece of
// any kind, a plan made for the falling piece as dealt, and a seed for every later deal.
#ifndef TUMBLIX_FUZZ_ENGINE_STATE_H
#define TUMBLIX_FUZZ_ENGINE_STATE_H

#include "fuzz/fuzz_bytes.h"

// Sets board, currentPiece, nextPiece, the autopilot's plan and rand's seed from the input.
// Afterwards GameStateFault() returns 0.
void BuildEngineState(FuzzBytes *in);

#endif
