// Timer bookkeeping of the hosts that are not Windows; see timers.h for the invariants.
#include "platform/policy/timers.h"

#include <limits.h>

static const int64_t NS_PER_MS = 1000000;

static HostTimer *Find(TimerTable *table, uintptr_t id)
{
    for (HostTimer &timer : table->slots)
        if (timer.active && timer.id == id)
            return &timer;
    return nullptr;
}

bool TimerSet(TimerTable *table, uintptr_t id, unsigned int periodMs, int64_t nowNs)
{
    HostTimer *timer = Find(table, id);
    for (int i = 0; timer == nullptr && i < TIMER_SLOTS; ++i)
        if (!table->slots[i].active)
            timer = &table->slots[i];
    if (timer == nullptr)
        return false;
    if (periodMs < TIMER_MIN_PERIOD_MS)
        periodMs = TIMER_MIN_PERIOD_MS;
    if (periodMs > (unsigned int)TIMER_MAX_PERIOD_MS)
        periodMs = TIMER_MAX_PERIOD_MS;
    timer->active = true;
    timer->pending = false;
    timer->id = id;
    timer->periodNs = (int64_t)periodMs * NS_PER_MS;
    timer->deadlineNs = nowNs + timer->periodNs;
    timer->pendingSinceNs = 0;
    return true;
}

bool TimerKill(TimerTable *table, uintptr_t id)
{
    HostTimer *timer = Find(table, id);
    if (timer == nullptr)
        return false;
    *timer = HostTimer();
    return true;
}

void TimerKillAll(TimerTable *table)
{
    for (HostTimer &timer : table->slots)
        timer = HostTimer();
}

// The first deadline on the timer's grid that is later than `nowNs`.
static int64_t NextDeadline(const HostTimer &timer, int64_t nowNs)
{
    if (timer.deadlineNs > nowNs)
        return timer.deadlineNs;
    int64_t missed = (nowNs - timer.deadlineNs) / timer.periodNs;
    return timer.deadlineNs + (missed + 1) * timer.periodNs;
}

void TimerCollect(TimerTable *table, int64_t nowNs)
{
    if (table->held)
        return;
    for (HostTimer &timer : table->slots) {
        if (!timer.active || timer.deadlineNs > nowNs)
            continue;
        if (!timer.pending) {
            timer.pending = true;
            timer.pendingSinceNs = timer.deadlineNs;
        }
        timer.deadlineNs = NextDeadline(timer, nowNs);
    }
}

void TimerHold(TimerTable *table, bool held, int64_t nowNs)
{
    table->held = held;
    for (HostTimer &timer : table->slots) {
        if (!timer.active)
            continue;
        timer.pending = false;
        timer.deadlineNs = NextDeadline(timer, nowNs);
    }
}

int TimerWaitMs(const TimerTable *table, int64_t nowNs)
{
    if (table->held)
        return -1;
    int waitMs = -1;
    for (const HostTimer &timer : table->slots) {
        if (timer.active && timer.pending)
            return 0;
        if (timer.active)
            waitMs = WaitMsUntil(waitMs, nowNs, timer.deadlineNs);
    }
    return waitMs;
}

int WaitMsUntil(int waitMs, int64_t nowNs, int64_t deadlineNs)
{
    int64_t ms = deadlineNs > nowNs ? (deadlineNs - nowNs + NS_PER_MS - 1) / NS_PER_MS : 0;
    if (ms > INT_MAX)
        ms = INT_MAX;
    return waitMs >= 0 && waitMs < ms ? waitMs : (int)ms;
}

bool TimerTakePending(TimerTable *table, uintptr_t *id)
{
    HostTimer *oldest = nullptr;
    for (HostTimer &timer : table->slots)
        if (timer.active && timer.pending &&
            (oldest == nullptr || timer.pendingSinceNs < oldest->pendingSinceNs))
            oldest = &timer;
    if (oldest == nullptr)
        return false;
    oldest->pending = false;
    *id = oldest->id;
    return true;
}
