// Cross-check of the engine against the independent model: single operations, plans, whole games.
#include "tests/engine/ref_model.h"
#include "tests/engine/turn_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

namespace
{

// ---- Conversions and comparison ---------------------------------------------------------

ref::Piece ToModel(const PIECE &p)
{
    ref::Piece m = {};
    std::memcpy(m.cells, p.cells, sizeof m.cells);
    m.rotationType = p.rotationType;
    m.x = p.x;
    m.y = p.y;
    return m;
}

// Everything the two implementations must agree on after a tick, laid out without padding.
struct Snapshot {
    int board[BOARD_COLUMNS][BOARD_ROWS];
    signed char currentCells[PIECE_GRID][PIECE_GRID];
    int currentType, currentX, currentY;
    signed char nextCells[PIECE_GRID][PIECE_GRID];
    int nextType, nextX, nextY;
};

Snapshot FromEngine()
{
    Snapshot s;
    std::memset(&s, 0, sizeof s);
    std::memcpy(s.board, board, sizeof s.board);
    std::memcpy(s.currentCells, currentPiece.cells, sizeof s.currentCells);
    s.currentType = currentPiece.rotationType;
    s.currentX = currentPiece.x;
    s.currentY = currentPiece.y;
    std::memcpy(s.nextCells, nextPiece.cells, sizeof s.nextCells);
    s.nextType = nextPiece.rotationType;
    s.nextX = nextPiece.x;
    s.nextY = nextPiece.y;
    return s;
}

Snapshot FromModel(const ref::Game &g)
{
    Snapshot s;
    std::memset(&s, 0, sizeof s);
    std::memcpy(s.board, g.board, sizeof s.board);
    std::memcpy(s.currentCells, g.current.cells, sizeof s.currentCells);
    s.currentType = g.current.rotationType;
    s.currentX = g.current.x;
    s.currentY = g.current.y;
    std::memcpy(s.nextCells, g.next.cells, sizeof s.nextCells);
    s.nextType = g.next.rotationType;
    s.nextX = g.next.x;
    s.nextY = g.next.y;
    return s;
}

uint64_t Hash(const Snapshot &s)
{
    uint64_t h = 1469598103934665603ull;
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(&s);
    for (size_t n = 0; n < sizeof s; ++n)
        h = (h ^ bytes[n]) * 1099511628211ull;
    return h;
}

bool Same(const Snapshot &a, const Snapshot &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

char CellChar(int code)
{
    return code == 0 ? '.' : (code > 0 && code <= 9) ? char('0' + code) : '?';
}

// The board with the falling piece drawn in as '#', for reading a state at a glance.
std::vector<std::string> Picture(const Snapshot &s)
{
    std::vector<std::string> rows;
    for (int r = 0; r < BOARD_ROWS; ++r) {
        std::string row;
        for (int c = 0; c < BOARD_COLUMNS; ++c) {
            int i = c - s.currentX, j = r - s.currentY;
            bool piece =
                i >= 0 && i < PIECE_GRID && j >= 0 && j < PIECE_GRID && s.currentCells[i][j] != 0;
            row += piece ? (s.board[c][r] != 0 ? '@' : '#') : CellChar(s.board[c][r]);
        }
        rows.push_back(row);
    }
    return rows;
}

std::string PieceLine(const signed char cells[PIECE_GRID][PIECE_GRID], int type, int x, int y)
{
    std::ostringstream out;
    out << "x=" << x << " y=" << y << " type=" << type << " rows:";
    for (int j = 0; j < PIECE_GRID; ++j) {
        out << ' ';
        for (int i = 0; i < PIECE_GRID; ++i)
            out << CellChar(cells[i][j]);
    }
    return out.str();
}

std::string SideBySide(const Snapshot &engine, const Snapshot &model)
{
    std::vector<std::string> a = Picture(engine), b = Picture(model);
    std::ostringstream out;
    out << "     engine       model        ('#' falling piece, '@' piece over a block, '*' rows "
           "differ)\n";
    for (int r = 0; r < BOARD_ROWS; ++r) {
        bool differs = false;
        for (int c = 0; c < BOARD_COLUMNS; ++c)
            differs |= engine.board[c][r] != model.board[c][r];
        out << (r < 10 ? "  " : " ") << r << "  " << a[r] << "   " << b[r] << (differs ? "  *" : "")
            << "\n";
    }
    out << "  current engine: "
        << PieceLine(engine.currentCells, engine.currentType, engine.currentX, engine.currentY)
        << "\n  current model:  "
        << PieceLine(model.currentCells, model.currentType, model.currentX, model.currentY)
        << "\n  next engine:    "
        << PieceLine(engine.nextCells, engine.nextType, engine.nextX, engine.nextY)
        << "\n  next model:     "
        << PieceLine(model.nextCells, model.nextType, model.nextX, model.nextY) << "\n";
    return out.str();
}

// ---- The model itself against the worked examples -------------------------------------------

TEST(ReferenceModel, AgreesWithTheWorkedExamples)
{
    for (int kind = 1; kind <= 7; ++kind) {
        ref::Piece p = ref::Shape(kind);
        for (int turns = 0; turns < 4; ++turns) {
            PIECE expected = TurnedKindAt(kind, turns, 0, 0);
            EXPECT_EQ(std::memcmp(p.cells, expected.cells, sizeof p.cells), 0)
                << "kind " << kind << " turns " << turns;
            EXPECT_EQ(p.rotationType, expected.rotationType);
            ref::TurnFree(p);
        }
        ref::Game g = {};
        p = ref::Shape(kind);
        p.x = 3;
        ref::Plan(g, g.board, p);
        EXPECT_EQ(g.planRotate, 0) << "kind " << kind;
        EXPECT_EQ(g.planX, 0) << "kind " << kind;
    }
    ref::Game g = {};
    for (int c = 0; c < 10; ++c)
        g.board[c][21] = g.board[c][20] = 3;
    g.board[4][21] = g.board[4][20] = g.board[5][20] = 0;
    ref::Plan(g, g.board, ref::Shape(KIND_Z));
    EXPECT_EQ(g.planRotate, 3);
    EXPECT_EQ(g.planX, 4);
}

// ---- Single operations on random states -----------------------------------------------------

// The random tests try fewer cases in an unoptimised build.
#if defined(NDEBUG)
constexpr bool optimisedBuild = true;
#else
constexpr bool optimisedBuild = false;
#endif

// A random stack with a random whole piece placed on it where it overlaps nothing.
void RandomState(unsigned &noise, ref::Game &model)
{
    for (;;) {
        RandomStack(board, noise, 1 + int(NextNoise(noise) % 16));
        int kind = 1 + int(NextNoise(noise) % 7);
        PIECE p = TurnedKindAt(kind, int(NextNoise(noise) % 4), int(NextNoise(noise) % 13) - 3,
                               int(NextNoise(noise) % 22));
        bool fits = true;
        for (int i = 0; i < PIECE_GRID; ++i)
            for (int j = 0; j < PIECE_GRID; ++j) {
                if (p.cells[i][j] == 0)
                    continue;
                int c = p.x + i, r = p.y + j;
                if (c < 0 || c > 9 || r > 21 || board[c][r] != 0)
                    fits = false;
            }
        if (!fits)
            continue;
        currentPiece = p;
        nextPiece = TurnedKindAt(1 + int(NextNoise(noise) % 7), 0, 0, 0);
        std::memcpy(model.board, board, sizeof model.board);
        model.current = ToModel(currentPiece);
        model.next = ToModel(nextPiece);
        return;
    }
}

TEST(ModelAgreement, SingleOperationsOnRandomStates)
{
    unsigned noise = 424242;
    const int states = optimisedBuild ? 6000 : 1500;
    const char *names[] = {"left", "right", "RotatePiece", "Update"};
    for (int n = 0; n < states; ++n) {
        ResetEngine();
        ref::Game model = {};
        RandomState(noise, model);
        const Snapshot before = FromEngine();
        const int op = n % 4;
        int engineResult = 0, modelResult = 0;
        const unsigned seed = 1000u + unsigned(n);
        switch (op) {
        case 0:
            left();
            ref::Left(model);
            break;
        case 1:
            right();
            ref::Right(model);
            break;
        case 2:
            RotatePiece();
            ref::Turn(model);
            break;
        default:
            srand(seed);
            engineResult = Update();
            srand(seed);
            modelResult = ref::Gravity(model);
            break;
        }
        const Snapshot engine = FromEngine(), expected = FromModel(model);
        ASSERT_TRUE(Same(engine, expected) && engineResult == modelResult)
            << names[op] << " on state " << n << " (result engine " << engineResult << ", model "
            << modelResult << ")\nbefore:\n"
            << SideBySide(before, before) << "after:\n"
            << SideBySide(engine, expected);
    }
}

TEST(ModelAgreement, HolesAndClearingOnRandomStacks)
{
    unsigned noise = 99;
    for (int n = 0; n < 500; ++n) {
        Board b;
        RandomStack(b, noise, 1 + n % 21);
        ASSERT_EQ(numOfHoles(b), ref::Holes(b)) << Dump(b);
        Board model;
        std::memcpy(model, b, sizeof model);
        int removed = ClearFullRows(b);
        ASSERT_EQ(removed, ref::ClearRows(model));
        ASSERT_EQ(std::memcmp(b, model, sizeof b), 0) << "engine\n"
                                                      << Dump(b) << "model\n"
                                                      << Dump(model);
    }
}

// The plan for every kind in every orientation, on stacks from low to nearly full; high stacks
// make candidates that rest at once or overlap blocks at the starting row.
TEST(ModelAgreement, SearchPlansOnRandomStacks)
{
    unsigned noise = 2024;
    const int stacks = optimisedBuild ? 300 : 40;
    for (int n = 0; n < stacks; ++n) {
        Board b;
        RandomStack(b, noise, 1 + n % 21);
        for (int kind = 1; kind <= 7; ++kind)
            for (int turns = 0; turns < 4; ++turns) {
                if (kind == KIND_SQUARE && turns > 0)
                    continue;
                const PIECE piece = TurnedKindAt(kind, turns, 3, n % 5 == 4 ? 2 : 0);
                ResetEngine();
                Plan plan = PlanFor(b, piece);
                ref::Game model = {};
                ref::Plan(model, b, ToModel(piece));
                ASSERT_TRUE(plan.found && plan.rotate == model.planRotate && plan.x == model.planX)
                    << "kind " << kind << " as dealt + " << turns << " turns, y " << piece.y
                    << ": engine plans " << plan.rotate << " turns to column " << plan.x
                    << ", model " << model.planRotate << " turns to column " << model.planX << "\n"
                    << Dump(b);
            }
    }
}

// ---- Whole games, tick by tick ------------------------------------------------------------

// How the two timers' messages interleave in one run.
enum Pattern {
    TIMERS_STEERING_FIRST,  // 20 ms steering, 40 ms gravity; steering first when both fire
    TIMERS_GRAVITY_FIRST,   // the same, gravity first when both fire
    RANDOM_ONE_IN_THREE,    // each tick gravity with chance 1/3
    RANDOM_GRAVITY_HEAVY,   // gravity with chance 2/3: plans often unfinished, many top-outs
};
const char *patternNames[] = {"timers, steering first", "timers, gravity first",
                              "random 1/3 gravity", "random 2/3 gravity"};

struct TickSource {
    Pattern pattern;
    unsigned noise;
    long tick = 0;

    TickSource(Pattern p, unsigned seed) : pattern(p), noise(seed * 2654435761u + 1u) {}

    bool NextIsGravity()
    {
        long n = tick++;
        switch (pattern) {
        case TIMERS_STEERING_FIRST:
            return n % 3 == 2;
        case TIMERS_GRAVITY_FIRST:
            return n % 3 == 1;
        case RANDOM_ONE_IN_THREE:
            return NextNoise(noise) % 3 == 0;
        default:
            return NextNoise(noise) % 3 != 0;
        }
    }
};

struct GameRun {
    unsigned seed;
    Pattern pattern;
};

// Engine state after `ticks` ticks of a run (0: right after NewGame).
Snapshot EngineAt(const GameRun &run, long ticks, bool *lastWasGravity)
{
    ResetEngine();
    srand(run.seed);
    NewGame();
    TickSource source(run.pattern, run.seed);
    for (long t = 1; t <= ticks; ++t) {
        bool gravity = source.NextIsGravity();
        if (lastWasGravity)
            *lastWasGravity = gravity;
        gravity ? GravityTick() : SteeringTick();
    }
    return FromEngine();
}

Snapshot ModelAt(const GameRun &run, long ticks)
{
    static ref::Game model;
    model = ref::Game{};
    srand(run.seed);
    ref::NewGame(model);
    TickSource source(run.pattern, run.seed);
    for (long t = 1; t <= ticks; ++t)
        source.NextIsGravity() ? ref::GravityTick(model) : ref::SteeringTick(model);
    return FromModel(model);
}

long TicksPerRun(int runs)
{
    long total = 200000;
#if !defined(NDEBUG) || defined(__SANITIZE_ADDRESS__)
    total = 24000;  // unoptimised or sanitised builds
#endif
    if (const char *env = std::getenv("TUMBLIX_MODEL_TICKS"))
        total = std::atol(env);
    return total / runs;
}

// Both implementations are seeded alike and ticked alike; the engine's state after every tick is
// kept as a hash, then the model is run and compared tick by tick. At the first difference both
// are replayed to that tick and shown side by side.
TEST(ModelAgreement, WholeGamesTickByTick)
{
    const GameRun runs[] = {
        {1, TIMERS_STEERING_FIRST},   {2, TIMERS_GRAVITY_FIRST},     {3, RANDOM_ONE_IN_THREE},
        {4, RANDOM_GRAVITY_HEAVY},    {1717, TIMERS_STEERING_FIRST}, {90210, TIMERS_GRAVITY_FIRST},
        {31337, RANDOM_ONE_IN_THREE}, {65537, RANDOM_GRAVITY_HEAVY},
    };
    const int runCount = int(sizeof runs / sizeof runs[0]);
    const long ticks = TicksPerRun(runCount);
    ASSERT_GT(ticks, 0);
    long topOuts = 0, locks = 0;
    std::vector<uint64_t> engineHashes(size_t(ticks) + 1);
    for (const GameRun &run : runs) {
        ResetEngine();
        srand(run.seed);
        NewGame();
        engineHashes[0] = Hash(FromEngine());
        TickSource engineTicks(run.pattern, run.seed);
        for (long t = 1; t <= ticks; ++t) {
            engineTicks.NextIsGravity() ? GravityTick() : SteeringTick();
            engineHashes[size_t(t)] = Hash(FromEngine());
        }

        static ref::Game model;
        model = ref::Game{};
        srand(run.seed);
        ref::NewGame(model);
        TickSource modelTicks(run.pattern, run.seed);
        long divergence = Hash(FromModel(model)) == engineHashes[0] ? -1 : 0;
        for (long t = 1; t <= ticks && divergence < 0; ++t) {
            if (modelTicks.NextIsGravity()) {
                const int y = model.current.y;
                if (ref::Gravity(model)) {
                    ++topOuts;
                    ref::NewGame(model);
                } else if (model.current.y != y + 1) {
                    ++locks;
                }
            } else {
                ref::SteeringTick(model);
            }
            if (Hash(FromModel(model)) != engineHashes[size_t(t)])
                divergence = t;
        }
        if (divergence < 0)
            continue;

        bool gravity = false;
        const Snapshot before =
            divergence > 0 ? EngineAt(run, divergence - 1, nullptr) : Snapshot{};
        const Snapshot engine = EngineAt(run, divergence, &gravity);
        const Snapshot expected = ModelAt(run, divergence);
        ADD_FAILURE() << "seed " << run.seed << " (" << patternNames[run.pattern]
                      << "): engine and model differ after tick " << divergence
                      << (divergence == 0 ? " (NewGame)"
                          : gravity       ? " (a gravity tick)"
                                          : " (a steering tick)")
                      << "\nstate before that tick:\n"
                      << SideBySide(before, before) << "after it:\n"
                      << SideBySide(engine, expected);
    }
    RecordProperty("ticks_per_run", std::to_string(ticks));
    RecordProperty("locks", std::to_string(locks));
    RecordProperty("top_outs", std::to_string(topOuts));
    EXPECT_GT(locks, ticks / 100) << "pieces should lock all through the runs";
    EXPECT_GT(topOuts, 0) << "the runs should include restarts after top-out";
}

}  // namespace
