// Helpers shared by the engine tests: a clean engine, literal pieces and boards, reading the plan.
#include "tests/engine/test_util.h"
#include "tests/engine/turn_table.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

namespace
{

std::string Join(std::vector<std::pair<int, int>> cells)
{
    std::sort(cells.begin(), cells.end());
    std::ostringstream out;
    for (size_t n = 0; n < cells.size(); ++n)
        out << (n ? " " : "") << "(" << cells[n].first << "," << cells[n].second << ")";
    return out.str();
}

}  // namespace

void ResetEngine()
{
    std::memset(board, 0, sizeof board);
    std::memset(&currentPiece, 0, sizeof currentPiece);
    std::memset(&nextPiece, 0, sizeof nextPiece);
    // A fresh search on an empty board resets the pending turns; spend any that remain.
    PIECE bar = KindAt(KIND_BAR, 3, 0);
    thinkAI(board, &bar);
    for (int n = 0; n < 8 && makeMoveAI(&bar) == MOVE_ROTATE; ++n) {
    }
}

PIECE KindAt(int kind, int x, int y)
{
    return TurnedKindAt(kind, 0, x, y);
}

PIECE PieceOf(CellList cells, int code, int rotationType, int x, int y)
{
    PIECE p;
    std::memset(&p, 0, sizeof p);
    for (const auto &cell : cells)
        p.cells[cell.first][cell.second] = static_cast<signed char>(code);
    p.rotationType = static_cast<signed char>(rotationType);
    p.x = x;
    p.y = y;
    return p;
}

std::string CellsOf(const PIECE &piece)
{
    std::vector<std::pair<int, int>> cells;
    for (int i = 0; i < PIECE_GRID; ++i)
        for (int j = 0; j < PIECE_GRID; ++j)
            if (piece.cells[i][j] != 0)
                cells.emplace_back(i, j);
    return Join(cells);
}

std::string CellsOf(CellList cells)
{
    return Join(std::vector<std::pair<int, int>>(cells));
}

std::string BoardCellsOf(const PIECE &piece)
{
    std::vector<std::pair<int, int>> cells;
    for (int i = 0; i < PIECE_GRID; ++i)
        for (int j = 0; j < PIECE_GRID; ++j)
            if (piece.cells[i][j] != 0)
                cells.emplace_back(piece.x + i, piece.y + j);
    return Join(cells);
}

bool SamePiece(const PIECE &a, const PIECE &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::string Dump(const PIECE &piece)
{
    std::ostringstream out;
    out << "x=" << piece.x << " y=" << piece.y << " rotationType=" << int(piece.rotationType)
        << " cells:";
    for (int j = 0; j < PIECE_GRID; ++j) {
        out << " ";
        for (int i = 0; i < PIECE_GRID; ++i)
            out << int(piece.cells[i][j]);
    }
    return out.str();
}

std::string Dump(const Board &b)
{
    std::ostringstream out;
    for (int r = 0; r < BOARD_ROWS; ++r) {
        out << (r < 10 ? " " : "") << r << " ";
        for (int c = 0; c < BOARD_COLUMNS; ++c) {
            if (b[c][r] == 0)
                out << '.';
            else if (b[c][r] >= 0 && b[c][r] <= 9)
                out << b[c][r];
            else
                out << '?';
        }
        out << "\n";
    }
    return out.str();
}

void ClearBoard(Board &b)
{
    std::memset(b, 0, sizeof(Board));
}

void FillRow(Board &b, int row, int code, std::initializer_list<int> gaps)
{
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        b[c][row] = code;
    for (int c : gaps)
        b[c][row] = 0;
}

unsigned NextNoise(unsigned &state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

void RandomStack(Board &b, unsigned &state, int maxHeight)
{
    ClearBoard(b);
    for (int c = 0; c < BOARD_COLUMNS; ++c) {
        int height = int(NextNoise(state) % unsigned(maxHeight + 1));
        for (int r = BOARD_ROWS - height; r < BOARD_ROWS; ++r)
            if (NextNoise(state) % 100 < 85)
                b[c][r] = 2 + int(NextNoise(state) % 7);
    }
    for (int n = int(NextNoise(state) % 3); n > 0; --n) {
        int row = BOARD_ROWS - 1 - int(NextNoise(state) % unsigned(maxHeight));
        int gap = int(NextNoise(state) % BOARD_COLUMNS);
        for (int c = 0; c < BOARD_COLUMNS; ++c)
            b[c][row] = c == gap ? 0 : 2 + (c + row) % 7;
    }
}

unsigned SeedForKinds(std::initializer_list<int> kinds)
{
    for (unsigned seed = 1;; ++seed) {
        srand(seed);
        bool match = true;
        for (int kind : kinds)
            if (rand() % 7 + 1 != kind) {
                match = false;
                break;
            }
        if (match)
            return seed;
    }
}

Plan ReadPlan()
{
    // A probe whose only cell is in grid column 0, so its leftmost cell stands on its x field.
    PIECE probe = PieceOf({{0, 0}}, 2, TURN_NEVER, 0, 0);
    Plan plan = {0, 0, false};
    while (plan.rotate < 16 && makeMoveAI(&probe) == MOVE_ROTATE)
        ++plan.rotate;
    const int lowest = -8;
    const int highest = 18;
    for (int column = lowest; column <= highest; ++column) {
        probe.x = column;
        if (makeMoveAI(&probe) == MOVE_NONE) {
            plan.x = column;
            plan.found = true;
            break;
        }
    }
    if (!plan.found)
        return plan;
    for (int column = lowest; column <= highest; ++column) {
        probe.x = column;
        int expected = column < plan.x ? MOVE_RIGHT : column > plan.x ? MOVE_LEFT : MOVE_NONE;
        if (makeMoveAI(&probe) != expected)
            plan.found = false;
    }
    return plan;
}

Plan PlanFor(const Board &b, const PIECE &piece)
{
    thinkAI(b, &piece);
    return ReadPlan();
}
