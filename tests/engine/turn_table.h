// The quarter-turn states of every kind, written out by hand, for the rotation and search tests.
#ifndef TUMBLIX_TESTS_ENGINE_TURN_TABLE_H
#define TUMBLIX_TESTS_ENGINE_TURN_TABLE_H

#include "tests/engine/test_util.h"

// turnStates[kind][turns]: the filled cells (column offset, row offset) after that many
// counter-clockwise quarter turns of the shape as dealt. The square never changes.
// One kind a line, in the order of the KIND_ names: as dealt, then one, two and three turns.
// clang-format off
const int turnStates[8][4][4][2] = {
    {},
    {{{0, 1}, {1, 1}, {2, 1}, {3, 1}}, {{1, 0}, {1, 1}, {1, 2}, {1, 3}}, {{0, 2}, {1, 2}, {2, 2}, {3, 2}}, {{2, 0}, {2, 1}, {2, 2}, {2, 3}}},
    {{{1, 1}, {1, 2}, {2, 2}, {3, 2}}, {{3, 0}, {3, 1}, {3, 2}, {2, 2}}, {{1, 0}, {2, 0}, {3, 0}, {3, 1}}, {{1, 0}, {2, 0}, {1, 1}, {1, 2}}},
    {{{2, 1}, {1, 2}, {2, 2}, {3, 2}}, {{3, 0}, {3, 1}, {3, 2}, {2, 1}}, {{1, 0}, {2, 0}, {3, 0}, {2, 1}}, {{1, 0}, {1, 1}, {1, 2}, {2, 1}}},
    {{{3, 1}, {1, 2}, {2, 2}, {3, 2}}, {{2, 0}, {3, 0}, {3, 1}, {3, 2}}, {{1, 0}, {2, 0}, {3, 0}, {1, 1}}, {{1, 0}, {1, 1}, {1, 2}, {2, 2}}},
    {{{1, 1}, {2, 1}, {1, 2}, {2, 2}}, {{1, 1}, {2, 1}, {1, 2}, {2, 2}}, {{1, 1}, {2, 1}, {1, 2}, {2, 2}}, {{1, 1}, {2, 1}, {1, 2}, {2, 2}}},
    {{{0, 1}, {1, 1}, {1, 2}, {2, 2}}, {{2, 1}, {2, 2}, {1, 2}, {1, 3}}, {{1, 1}, {2, 1}, {2, 2}, {3, 2}}, {{2, 0}, {2, 1}, {1, 1}, {1, 2}}},
    {{{1, 1}, {2, 1}, {0, 2}, {1, 2}}, {{1, 1}, {1, 2}, {2, 2}, {2, 3}}, {{2, 1}, {3, 1}, {1, 2}, {2, 2}}, {{1, 0}, {1, 1}, {2, 1}, {2, 2}}},
};
// clang-format on

const int rotationTypes[8] = {0,        TURN_WHOLE_GRID, TURN_BOX,        TURN_BOX,
                              TURN_BOX, TURN_NEVER,      TURN_WHOLE_GRID, TURN_WHOLE_GRID};

// Kind `kind` after `turns` quarter turns, standing at (x, y). Turn 0 is the kind as dealt,
// written out here so the tests do not trust the engine's table.
inline PIECE TurnedKindAt(int kind, int turns, int x, int y)
{
    PIECE p = PieceOf({}, 0, rotationTypes[kind], x, y);
    for (const auto &cell : turnStates[kind][turns % 4])
        p.cells[cell[0]][cell[1]] = static_cast<signed char>(kind + 1);
    return p;
}

#endif
