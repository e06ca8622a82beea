// Tests of the simulator's totals: lines per game mean and median, overflow, the summary.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tools/sim_stats.h"

namespace
{

SimStats stats;  // large: kept out of the test's stack frame

TickOutcome Lock(int lines, int height)
{
    TickOutcome o = {};
    o.locked = true;
    o.linesCleared = lines;
    o.stackHeight = height;
    return o;
}

TickOutcome TopOut()
{
    TickOutcome o = {};
    o.locked = true;
    o.toppedOut = true;
    return o;
}

double Median(bool *atLeast)
{
    return StatsMedianLines(&stats, atLeast);
}

TEST(SimStats, MeanAndMedianOfFinishedGames)
{
    bool atLeast = true;
    StatsReset(&stats, 7);
    EXPECT_EQ(StatsMeanLines(&stats), 0);
    EXPECT_EQ(Median(&atLeast), 0);
    EXPECT_FALSE(atLeast);

    StatsAddGame(&stats, 30);  // odd count: the middle game
    StatsAddGame(&stats, 10);
    StatsAddGame(&stats, 20);
    EXPECT_DOUBLE_EQ(StatsMeanLines(&stats), 20);
    EXPECT_DOUBLE_EQ(Median(&atLeast), 20);

    StatsAddGame(&stats, 25);  // even count: between the two middle games
    EXPECT_DOUBLE_EQ(Median(&atLeast), 22.5);
    EXPECT_DOUBLE_EQ(StatsMeanLines(&stats), 21.25);

    StatsReset(&stats, 7);  // skewed: median and mean part ways; repeated values count each
    for (int i = 0; i < 5; i++)
        StatsAddGame(&stats, 0);
    StatsAddGame(&stats, 1000);
    EXPECT_DOUBLE_EQ(Median(&atLeast), 0);
    EXPECT_NEAR(StatsMeanLines(&stats), 1000.0 / 6, 1e-9);
    EXPECT_EQ(stats.topOuts, 6u);
}

TEST(SimStats, LongGamesShareTheLastBinButKeepAnExactMean)
{
    bool atLeast = false;
    const unsigned long long huge = 1000000;
    StatsReset(&stats, 1);
    StatsAddGame(&stats, 5);
    StatsAddGame(&stats, huge);
    StatsAddGame(&stats, huge + 1);
    EXPECT_DOUBLE_EQ(Median(&atLeast), SIM_LINES_BINS - 1);
    EXPECT_TRUE(atLeast);
    EXPECT_DOUBLE_EQ(StatsMeanLines(&stats), (5.0 + huge + huge + 1) / 3);

    StatsAddGame(&stats, 1);
    StatsAddGame(&stats, 2);  // now 1, 2, 5, big, big: the median is exact again
    EXPECT_DOUBLE_EQ(Median(&atLeast), 5);
    EXPECT_FALSE(atLeast);
}

TEST(SimStats, GravityTicksCountLocksLinesTopOutsAndTheHighestStack)
{
    StatsReset(&stats, 3);
    TickOutcome fall = {};
    fall.stackHeight = 19;  // a falling piece's tick does not count towards the stack
    StatsAddGravityTick(&stats, &fall);
    TickOutcome lock = Lock(2, 6);
    StatsAddGravityTick(&stats, &lock);
    lock = Lock(0, 9);
    StatsAddGravityTick(&stats, &lock);
    TickOutcome over = TopOut();
    StatsAddGravityTick(&stats, &over);
    lock = Lock(1, 4);
    StatsAddGravityTick(&stats, &lock);

    EXPECT_EQ(stats.gravityTicks, 5u);
    EXPECT_EQ(stats.piecesLocked, 4u);
    EXPECT_EQ(stats.topOuts, 1u);
    EXPECT_EQ(stats.linesCleared, 3u);
    EXPECT_EQ(stats.gameLines, 1u);  // the running game, not a finished one
    EXPECT_EQ(stats.highestStack, 9);
    bool atLeast;
    EXPECT_DOUBLE_EQ(Median(&atLeast), 2);
    EXPECT_EQ(StatsPlayMs(&stats), 5u * GRAVITY_PERIOD_MS);
}

TEST(SimStats, SummaryNamesEveryFigure)
{
    StatsReset(&stats, 42);
    for (int i = 0; i < 1500; i++)
        stats.gravityTicks++;  // one minute of play
    StatsAddGame(&stats, 3);
    StatsAddGame(&stats, 4);
    stats.highestStack = 12;
    char text[1024];
    std::string s = FormatSummary(&stats, text, sizeof text);
    EXPECT_NE(s.find("seed:               42\n"), std::string::npos) << s;
    EXPECT_NE(s.find("gravity ticks:      1500\n"), std::string::npos) << s;
    EXPECT_NE(s.find("top-outs:           2\n"), std::string::npos) << s;
    EXPECT_NE(s.find("lines per game:     mean 3.5, median 3.5\n"), std::string::npos) << s;
    EXPECT_NE(s.find("highest stack:      12 rows\n"), std::string::npos) << s;
    EXPECT_NE(s.find("simulated play:     0:01:00.000 (60000 ms)\n"), std::string::npos) << s;

    StatsReset(&stats, 42);
    s = FormatSummary(&stats, text, sizeof text);
    EXPECT_NE(s.find("lines per game:     no game finished\n"), std::string::npos) << s;

    char tiny[10];
    FormatSummary(&stats, tiny, sizeof tiny);
    EXPECT_EQ(strlen(tiny), sizeof tiny - 1);
}

}  // namespace
