// Tests of the simulator's loop on the real engine: limits, timer order, determinism, and
// the report of a broken game state.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "game/game.h"
#include "tools/sim_run.h"

namespace
{

SimStats first, second;  // large: kept out of the tests' stack frames

SimOptions Options(SimLimit limit, unsigned long long count)
{
    SimOptions o = {};
    o.limit = limit;
    o.count = count;
    o.quiet = true;
    return o;
}

TEST(SimRun, PlaysTheRequestedPiecesWithTwoSteeringTicksPerGravityTick)
{
    SimOptions o = Options(SIM_LIMIT_PIECES, 2000);
    char message[320] = "";
    ASSERT_EQ(RunSimulation(&o, 1, &first, nullptr, message, sizeof message), SIM_RUN_OK)
        << message;
    EXPECT_EQ(first.seed, 1u);
    EXPECT_EQ(first.piecesLocked, 2000u);  // the run ends in the period of the 2000th lock
    EXPECT_EQ(first.steeringTicks, 2 * first.gravityTicks);
    EXPECT_GT(first.gravityTicks, 2000u * 3);  // every piece falls a few rows at least
    EXPECT_GT(first.linesCleared, 0u);
    EXPECT_LE(first.highestStack, BOARD_ROWS - TOP_OUT_ROWS);
    EXPECT_EQ(StatsPlayMs(&first), first.gravityTicks * 40);
    // Every locked piece brought four cells; cleared rows took ten each, and the rest is
    // on the board or went with a top-out. Lines of finished and running games add up.
    EXPECT_LE(10 * first.linesCleared, 4 * first.piecesLocked);
    EXPECT_EQ(first.finishedLines + first.gameLines, first.linesCleared);
}

TEST(SimRun, StopsAfterTheRequestedGravityTicks)
{
    SimOptions o = Options(SIM_LIMIT_TICKS, 1);
    char message[320] = "";
    ASSERT_EQ(RunSimulation(&o, 5, &first, nullptr, message, sizeof message), SIM_RUN_OK);
    EXPECT_EQ(first.gravityTicks, 1u);
    EXPECT_EQ(first.steeringTicks, 2u);  // at 20 ms, and at 40 ms after the gravity tick
    EXPECT_EQ(first.piecesLocked, 0u);   // a new piece falls before it can lock
    EXPECT_EQ(currentPiece.y, 1);

    o.count = 777;
    ASSERT_EQ(RunSimulation(&o, 5, &first, nullptr, message, sizeof message), SIM_RUN_OK);
    EXPECT_EQ(first.gravityTicks, 777u);
    EXPECT_EQ(first.steeringTicks, 1554u);
}

TEST(SimRun, TheSameSeedPlaysTheSameGameAndAnotherSeedAnotherOne)
{
    SimOptions o = Options(SIM_LIMIT_PIECES, 500);
    char message[320] = "";
    ASSERT_EQ(RunSimulation(&o, 77, &first, nullptr, message, sizeof message), SIM_RUN_OK);
    int firstBoard[BOARD_COLUMNS][BOARD_ROWS];
    memcpy(firstBoard, board, sizeof board);
    ASSERT_EQ(RunSimulation(&o, 77, &second, nullptr, message, sizeof message), SIM_RUN_OK);
    EXPECT_EQ(memcmp(&first, &second, sizeof first), 0);
    EXPECT_EQ(memcmp(firstBoard, board, sizeof board), 0);

    ASSERT_EQ(RunSimulation(&o, 78, &second, nullptr, message, sizeof message), SIM_RUN_OK);
    EXPECT_FALSE(memcmp(firstBoard, board, sizeof board) == 0 &&
                 first.gravityTicks == second.gravityTicks);
}

TEST(SimRun, ABrokenGameStateIsReportedWithTickTimeSeedAndReason)
{
    srand(3);
    NewGame();
    char message[320] = "untouched";
    EXPECT_EQ(CheckGameState(message, sizeof message, "steering", 17, 340, 9), nullptr);
    EXPECT_STREQ(message, "untouched");

    board[2][10] = CELL_SCRATCH;  // a code that must never reach the board
    const char *report = CheckGameState(message, sizeof message, "steering", 17, 340, 9);
    ASSERT_EQ(report, message);
    std::string text = report;
    EXPECT_NE(text.find("steering tick 17"), std::string::npos) << text;
    EXPECT_NE(text.find("340 ms"), std::string::npos) << text;
    EXPECT_NE(text.find("seed 9"), std::string::npos) << text;
    const char *sentence = GameStateFault();
    ASSERT_NE(sentence, nullptr);
    EXPECT_NE(text.find(sentence), std::string::npos) << text;

    NewGame();  // the falling piece overlapping a block is caught as well
    for (int i = 0; i < PIECE_GRID; i++)
        for (int j = 0; j < PIECE_GRID; j++)
            if (currentPiece.cells[i][j])
                board[currentPiece.x + i][currentPiece.y + j] = 5;
    EXPECT_NE(CheckGameState(message, sizeof message, "gravity", 3, 120, 9), nullptr);
    NewGame();
}

TEST(SimRun, ReportsFinishedGamesOnTheProgressStream)
{
    // With this seed the first 2000 pieces see several games end (ten, with this engine).
    SimOptions o = Options(SIM_LIMIT_PIECES, 2000);
    char message[320] = "";
    FILE *progress = tmpfile();
    ASSERT_NE(progress, nullptr);
    ASSERT_EQ(RunSimulation(&o, 1, &first, progress, message, sizeof message), SIM_RUN_OK);
    long size = ftell(progress);
    rewind(progress);
    std::string text(static_cast<size_t>(size), '\0');
    size_t got = fread(&text[0], 1, text.size(), progress);
    fclose(progress);
    EXPECT_EQ(got, text.size());
    size_t lines = 0;
    for (char c : text)
        lines += c == '\n';
    ASSERT_GT(first.topOuts, 0u);
    EXPECT_EQ(lines, first.topOuts);
    EXPECT_EQ(text.rfind("game 1 over after ", 0), 0u) << text;
}

}  // namespace
