// Timer bookkeeping of the hosts that are not Windows: periods, one pending message per timer, no catch-up
// bursts after a stall, fair delivery, and the sleep the loop may take.
#include <gtest/gtest.h>

#include <vector>

#include "platform/policy/timers.h"

namespace
{

const int64_t MS = 1000000;  // nanoseconds

// Runs the loop's part for one wake-up at `now`: collect, then deliver everything pending.
std::vector<uintptr_t> Deliver(TimerTable *table, int64_t now)
{
    TimerCollect(table, now);
    std::vector<uintptr_t> ids;
    uintptr_t id = 0;
    while (TimerTakePending(table, &id))
        ids.push_back(id);
    return ids;
}

// Sleeps exactly as long as TimerWaitMs allows, from `start` to `end`, delivering on the
// way; returns how often each of ids 1 and 2 arrived.
void RunOnTime(TimerTable *table, int64_t start, int64_t end, int counts[3])
{
    int64_t now = start;
    while (now < end) {
        for (uintptr_t id : Deliver(table, now))
            counts[id]++;
        int wait = TimerWaitMs(table, now);
        ASSERT_GT(wait, 0);
        now += wait * MS;
    }
}

TEST(Timers, TwoPeriodsGiveTheirRates)
{
    TimerTable table = {};
    ASSERT_TRUE(TimerSet(&table, 1, 40, 0));
    ASSERT_TRUE(TimerSet(&table, 2, 20, 0));
    int counts[3] = {0, 0, 0};
    RunOnTime(&table, 0, 1000 * MS + 1, counts);
    EXPECT_EQ(counts[1], 25);
    EXPECT_EQ(counts[2], 50);
}

TEST(Timers, NothingBeforeTheFirstPeriod)
{
    TimerTable table = {};
    TimerSet(&table, 7, 40, 1000 * MS);
    EXPECT_TRUE(Deliver(&table, 1039 * MS).empty());
    EXPECT_EQ(TimerWaitMs(&table, 1039 * MS), 1);
    EXPECT_EQ(Deliver(&table, 1040 * MS), std::vector<uintptr_t>{7});
}

TEST(Timers, AStallGivesOneMessagePerTimerAndKeepsThePhase)
{
    TimerTable table = {};
    TimerSet(&table, 1, 40, 0);
    TimerSet(&table, 2, 20, 0);
    // A suspend of almost an hour: one message each, not thousands.
    std::vector<uintptr_t> ids = Deliver(&table, 3599999 * MS);
    EXPECT_EQ(ids.size(), 2u);
    // Deadlines stay on the old grid: the next ones come at 3600000 ms for both.
    EXPECT_EQ(TimerWaitMs(&table, 3599999 * MS), 1);
    EXPECT_EQ(Deliver(&table, 3600000 * MS).size(), 2u);
    EXPECT_TRUE(Deliver(&table, 3600019 * MS).empty());
    EXPECT_EQ(Deliver(&table, 3600020 * MS), std::vector<uintptr_t>{2});
}

TEST(Timers, HeldTimersWaitAndGoOnAtTheirOwnPaceWithoutABurst)
{
    TimerTable table = {};
    TimerSet(&table, 1, 40, 0);
    TimerSet(&table, 2, 20, 0);
    TimerCollect(&table, 45 * MS);  // both pending as the window becomes unseen
    TimerHold(&table, true, 45 * MS);
    EXPECT_EQ(TimerWaitMs(&table, 45 * MS), -1);
    EXPECT_TRUE(Deliver(&table, 45 * MS).empty());
    TimerSet(&table, 3, 10, 50 * MS);  // set while held: held too
    EXPECT_TRUE(Deliver(&table, 600000 * MS).empty());
    EXPECT_EQ(TimerWaitMs(&table, 600000 * MS), -1);
    // Seen again ten minutes later: nothing at once, then each on its old grid.
    TimerHold(&table, false, 600005 * MS);
    EXPECT_TRUE(Deliver(&table, 600005 * MS).empty());
    EXPECT_EQ(TimerWaitMs(&table, 600005 * MS), 5);
    EXPECT_EQ(Deliver(&table, 600010 * MS), std::vector<uintptr_t>{3});
    int counts[4] = {0, 0, 0, 0};
    for (int64_t now = 600011 * MS; now <= 601010 * MS; now += MS)
        for (uintptr_t id : Deliver(&table, now))
            counts[id]++;
    EXPECT_EQ(counts[1], 25);
    EXPECT_EQ(counts[2], 50);
    EXPECT_EQ(counts[3], 100);
}

TEST(Timers, APendingMessageIsNotDoubledByFurtherPeriods)
{
    TimerTable table = {};
    TimerSet(&table, 2, 20, 0);
    TimerCollect(&table, 20 * MS);
    TimerCollect(&table, 40 * MS);
    TimerCollect(&table, 95 * MS);
    EXPECT_EQ(TimerWaitMs(&table, 95 * MS), 0);
    uintptr_t id = 0;
    EXPECT_TRUE(TimerTakePending(&table, &id));
    EXPECT_FALSE(TimerTakePending(&table, &id));
    EXPECT_EQ(TimerWaitMs(&table, 95 * MS), 5);
}

TEST(Timers, LongestWaitingGoesFirstSoNoTimerStarves)
{
    TimerTable table = {};
    TimerSet(&table, 2, 20, 0);
    TimerSet(&table, 1, 40, 0);
    // A loop that only ever manages one message per wake-up, 30 ms apart (slower than the
    // 20 ms timer): timer 1 must still get its turns.
    int counts[3] = {0, 0, 0};
    for (int64_t now = 0; now <= 3000 * MS; now += 30 * MS) {
        TimerCollect(&table, now);
        uintptr_t id = 0;
        if (TimerTakePending(&table, &id))
            counts[id]++;
    }
    EXPECT_GE(counts[1], 30);
    EXPECT_GE(counts[2], 30);
}

TEST(Timers, KillDropsThePendingMessageAndResetRestartsThePeriod)
{
    TimerTable table = {};
    TimerSet(&table, 1, 40, 0);
    TimerSet(&table, 2, 20, 0);
    TimerCollect(&table, 40 * MS);
    EXPECT_TRUE(TimerKill(&table, 1));
    EXPECT_FALSE(TimerKill(&table, 1));
    EXPECT_EQ(Deliver(&table, 40 * MS), std::vector<uintptr_t>{2});
    // Setting an existing id again replaces it: same slot, new period, nothing pending.
    TimerCollect(&table, 60 * MS);
    TimerSet(&table, 2, 100, 60 * MS);
    EXPECT_TRUE(Deliver(&table, 159 * MS).empty());
    EXPECT_EQ(Deliver(&table, 160 * MS), std::vector<uintptr_t>{2});
    TimerKillAll(&table);
    EXPECT_EQ(TimerWaitMs(&table, 0), -1);
    EXPECT_TRUE(Deliver(&table, 1000000 * MS).empty());
}

TEST(Timers, PeriodsAreClampedAndSlotsRunOut)
{
    TimerTable table = {};
    TimerSet(&table, 1, 0, 0);
    EXPECT_EQ(TimerWaitMs(&table, 0), TIMER_MIN_PERIOD_MS);
    TimerSet(&table, 1, 0xFFFFFFFFu, 0);
    EXPECT_EQ(TimerWaitMs(&table, 0), TIMER_MAX_PERIOD_MS);
    for (uintptr_t id = 2; id <= TIMER_SLOTS; ++id)
        EXPECT_TRUE(TimerSet(&table, id, 10, 0));
    EXPECT_FALSE(TimerSet(&table, 99, 10, 0));
    EXPECT_TRUE(TimerSet(&table, 3, 50, 0));  // an existing id still fits
}

TEST(Timers, WaitIsRoundedUpAndNeverNegative)
{
    TimerTable table = {};
    EXPECT_EQ(TimerWaitMs(&table, 0), -1);
    TimerSet(&table, 1, 20, 0);
    EXPECT_EQ(TimerWaitMs(&table, 1), 20);  // 19.999999 ms rounds up: no early wake-up
    EXPECT_EQ(TimerWaitMs(&table, 19 * MS + 1), 1);
    EXPECT_EQ(TimerWaitMs(&table, 25 * MS), 0);  // overdue, not yet collected
    // A host's own deadline shortens a wait the same way, and never lengthens one.
    EXPECT_EQ(WaitMsUntil(-1, 1, 5 * MS), 5);
    EXPECT_EQ(WaitMsUntil(3, 0, 5 * MS), 3);
    EXPECT_EQ(WaitMsUntil(8, 6 * MS, 5 * MS), 0);
}

}  // namespace
