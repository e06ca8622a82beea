// The independent model of the game: every rule written out again, step by step, without the engine.
#include "tests/engine/ref_model.h"

#include <cstdlib>

namespace ref
{

namespace
{

struct Cell {
    int i;
    int j;
};

struct Kind {
    signed char rotationType;
    Cell filled[4];
};

// Kinds 1..7 as dealt: bar, J, T, L, square, Z, S. Index 0 is unused.
const Kind kinds[8] = {
    {0, {{0, 0}, {0, 0}, {0, 0}, {0, 0}}}, {1, {{0, 1}, {1, 1}, {2, 1}, {3, 1}}},
    {2, {{1, 1}, {1, 2}, {2, 2}, {3, 2}}}, {2, {{2, 1}, {1, 2}, {2, 2}, {3, 2}}},
    {2, {{3, 1}, {1, 2}, {2, 2}, {3, 2}}}, {3, {{1, 1}, {2, 1}, {1, 2}, {2, 2}}},
    {1, {{0, 1}, {1, 1}, {1, 2}, {2, 2}}}, {1, {{1, 1}, {2, 1}, {0, 2}, {1, 2}}},
};

void CopyBoard(int to[COLUMNS][ROWS], const int from[COLUMNS][ROWS])
{
    for (int c = 0; c < COLUMNS; ++c)
        for (int r = 0; r < ROWS; ++r)
            to[c][r] = from[c][r];
}

// Lowest grid column holding an occupied cell, or -1.
int LeftEdge(const Piece &p)
{
    for (int i = 0; i < GRID; ++i)
        for (int j = 0; j < GRID; ++j)
            if (p.cells[i][j] != 0)
                return i;
    return -1;
}

int RightEdge(const Piece &p)
{
    for (int i = GRID - 1; i >= 0; --i)
        for (int j = 0; j < GRID; ++j)
            if (p.cells[i][j] != 0)
                return i;
    return -1;
}

// The quarter turn into a zeroed grid; returns 0 for a piece that does not turn.
int TurnedGrid(const Piece &p, signed char t[GRID][GRID])
{
    for (int i = 0; i < GRID; ++i)
        for (int j = 0; j < GRID; ++j)
            t[i][j] = 0;
    if (p.rotationType == 1) {
        for (int i = 0; i < GRID; ++i)
            for (int j = 0; j < GRID; ++j)
                t[j][3 - i] = p.cells[i][j];
        return 1;
    }
    if (p.rotationType == 2) {
        for (int i = 1; i <= 3; ++i)
            for (int j = 0; j <= 2; ++j)
                t[j + 1][3 - i] = p.cells[i][j];
        return 1;
    }
    return 0;
}

// Sideways move: dir -1 for left, +1 for right.
void Shift(Game &g, int dir)
{
    int allowed = 1;
    int scratch[COLUMNS][ROWS];
    CopyBoard(scratch, g.board);
    const Piece &p = g.current;
    for (int i = 0; i < GRID; ++i)
        for (int j = 0; j < GRID; ++j) {
            int c = p.x + i;
            int r = p.y + j;
            if (p.cells[i][j] != 0 && c >= 0 && c <= 9 && r >= 0 && r <= 21)
                scratch[c][r] = 1;
        }
    int wall = dir < 0 ? 0 : 9;
    for (int r = 0; r < ROWS; ++r)
        if (scratch[wall][r] == 1)
            allowed = 0;
    if (dir < 0) {
        for (int c = 1; c <= 9; ++c)
            for (int r = 0; r < ROWS; ++r)
                if (scratch[c][r] == 1 && scratch[c - 1][r] > 1)
                    allowed = 0;
    } else {
        for (int c = 0; c <= 8; ++c)
            for (int r = 0; r < ROWS; ++r)
                if (scratch[c][r] == 1 && scratch[c + 1][r] > 1)
                    allowed = 0;
    }
    if (allowed)
        g.current.x += dir;
}

// The landing test of the search: any occupied cell on the floor, else any occupied cell
// with a block directly below it.
int Landed(const int b[COLUMNS][ROWS], const Piece &p, int c, int row)
{
    for (int i = 0; i < GRID; ++i)
        for (int j = 0; j < GRID; ++j)
            if (p.cells[i][j] != 0 && row + j == 21)
                return 1;
    for (int i = 0; i < GRID; ++i)
        for (int j = 0; j < GRID; ++j)
            if (p.cells[i][j] != 0 && row + j + 1 <= 21 && b[c + i][row + j + 1] != 0)
                return 1;
    return 0;
}

}  // namespace

Piece Shape(int kind)
{
    Piece p = {};
    const Kind &k = kinds[kind];
    for (const Cell &cell : k.filled)
        p.cells[cell.i][cell.j] = static_cast<signed char>(kind + 1);
    p.rotationType = k.rotationType;
    return p;
}

void Deal(Game &g)
{
    g.current = g.next;
    for (int i = 0; i < GRID; ++i)
        for (int j = 0; j < GRID; ++j)
            g.next.cells[i][j] = 0;
    int kind = rand() % 7 + 1;
    const Kind &k = kinds[kind];
    for (const Cell &cell : k.filled)
        g.next.cells[cell.i][cell.j] = static_cast<signed char>(kind + 1);
    g.next.rotationType = k.rotationType;
    g.current.x = 3;
    g.current.y = 0;
}

void Left(Game &g)
{
    Shift(g, -1);
}
void Right(Game &g)
{
    Shift(g, +1);
}

void Turn(Game &g)
{
    signed char t[GRID][GRID];
    int allowed = TurnedGrid(g.current, t);
    const Piece &p = g.current;
    for (int i = 0; i < GRID; ++i)
        for (int j = 0; j < GRID; ++j) {
            if (t[i][j] == 0)
                continue;
            if (p.x + i < 0 || p.x + i > 9 || p.y + j > 21 || g.board[p.x + i][p.y + j] != 0)
                allowed = 0;
        }
    if (allowed)
        for (int i = 0; i < GRID; ++i)
            for (int j = 0; j < GRID; ++j)
                g.current.cells[i][j] = t[i][j];
}

void TurnFree(Piece &p)
{
    signed char t[GRID][GRID];
    if (!TurnedGrid(p, t))
        return;
    for (int i = 0; i < GRID; ++i)
        for (int j = 0; j < GRID; ++j)
            p.cells[i][j] = t[i][j];
}

int ClearRows(int b[COLUMNS][ROWS])
{
    int removed = 0;
    int r = 21;
    while (r >= 1) {
        int full = 1;
        for (int c = 0; c < COLUMNS; ++c)
            if (b[c][r] == 0)
                full = 0;
        if (!full) {
            --r;
            continue;
        }
        for (int c = 0; c < COLUMNS; ++c) {
            for (int k = r - 1; k >= 1; --k)
                b[c][k + 1] = b[c][k];
            b[c][1] = 0;
        }
        ++removed;
    }
    return removed;
}

int Holes(const int b[COLUMNS][ROWS])
{
    int holes = 0;
    for (int c = 0; c < COLUMNS; ++c) {
        int seen = 0;
        for (int r = 0; r < ROWS; ++r) {
            if (b[c][r] != 0)
                seen = 1;
            else if (seen)
                ++holes;
        }
    }
    return holes;
}

void Plan(Game &g, const int b[COLUMNS][ROWS], const Piece &piece)
{
    g.planRotate = 0;
    int best = 10000;
    Piece trial = piece;
    if (LeftEdge(trial) < 0)
        return;  // nothing to place
    for (int turns = 0; turns < 4; ++turns) {
        int leftEdge = LeftEdge(trial);
        int rightEdge = RightEdge(trial);
        for (int c = -leftEdge; c <= 9 - rightEdge; ++c) {
            int tb[COLUMNS][ROWS];
            CopyBoard(tb, b);
            int d = 0;
            while (!Landed(tb, trial, c, trial.y + d))
                ++d;
            for (int i = 0; i < GRID; ++i)
                for (int j = 0; j < GRID; ++j)
                    if (trial.cells[i][j] != 0)
                        tb[c + i][trial.y + j + d] = trial.cells[i][j];
            int n = ClearRows(tb);
            int score = Holes(tb) - 5 * n - d;
            if (score < best) {
                g.planX = leftEdge + c;
                g.planRotate = turns;
                best = score;
            }
        }
        TurnFree(trial);
    }
}

int NextMove(Game &g, const Piece &piece)
{
    if (g.planRotate != 0) {
        --g.planRotate;
        return 3;
    }
    int leftEdge = LeftEdge(piece);
    if (leftEdge < 0)
        return 0;
    int column = piece.x + leftEdge;
    if (column > g.planX)
        return 1;
    if (column < g.planX)
        return 2;
    return 0;
}

int Gravity(Game &g)
{
    int work[COLUMNS][ROWS];
    CopyBoard(work, g.board);
    int landed = 0;
    int toppedOut = 0;
    const Piece p = g.current;
    for (int i = 0; i < GRID; ++i)
        for (int j = 0; j < GRID; ++j)
            if (p.cells[i][j] != 0 && p.y + j == 21)
                landed = 1;
    if (!landed)
        for (int i = 0; i < GRID; ++i)
            for (int j = 0; j < GRID; ++j)
                if (p.x + i <= 9 && p.y + j + 1 <= 21 && p.cells[i][j] != 0 &&
                    work[p.x + i][p.y + j + 1] != 0)
                    landed = 1;
    if (landed) {
        for (int i = 0; i < GRID; ++i)
            for (int j = 0; j < GRID; ++j)
                if (p.x + i <= 9 && p.y + j >= 0 && p.cells[i][j] != 0)
                    work[p.x + i][p.y + j] = p.cells[i][j];
        CopyBoard(g.board, work);
        Deal(g);
    }
    for (int c = 0; c < COLUMNS; ++c)
        for (int r = 0; r <= 2; ++r)
            if (work[c][r] != 0)
                toppedOut = 1;
    if (landed && !toppedOut)
        ClearRows(g.board);
    if (landed)
        Plan(g, g.board, g.current);
    else
        g.current.y += 1;
    return toppedOut;
}

void NewGame(Game &g)
{
    for (int c = 0; c < COLUMNS; ++c)
        for (int r = 0; r < ROWS; ++r)
            g.board[c][r] = 0;
    Deal(g);
    Deal(g);
    Plan(g, g.board, g.current);
}

void GravityTick(Game &g)
{
    if (Gravity(g) != 0)
        NewGame(g);
}

void SteeringTick(Game &g)
{
    switch (NextMove(g, g.current)) {
    case 1:
        Left(g);
        break;
    case 2:
        Right(g);
        break;
    case 3:
        Turn(g);
        break;
    default:
        break;
    }
}

}  // namespace ref
