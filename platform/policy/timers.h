// Timer bookkeeping of the hosts that are not Windows: periodic timers that behave as
// Windows' WM_TIMER, kept by the shim for every host's loop, and by the simulator, which
// replays the saver's timers on a simulated clock.
//
// Invariants: each timer has at most one message pending, however late the loop is, so a
// stall or a suspend is followed by one tick per timer, not by a burst of catch-up ticks;
// a timer keeps its phase (its deadlines stay on multiples of its period from when it was
// set); and killing or resetting a timer drops its pending message. Time is nanoseconds on
// a monotonic clock, passed in by the caller, so tests need no clock. Pure: no platform headers.
// A held table (the window cannot be seen) has nothing pending and nothing to wake for; let go,
// each timer goes on at its next deadline on its old grid, with no catch-up ticks.
#ifndef TUMBLIX_TIMERS_H
#define TUMBLIX_TIMERS_H

#include <stdint.h>

enum {
    TIMER_SLOTS = 8,                  // timers one window may hold at once
    TIMER_MIN_PERIOD_MS = 10,         // shorter periods are raised to this, as on Windows
    TIMER_MAX_PERIOD_MS = 0x7FFFFFFF  // longer periods are lowered to this
};

struct HostTimer {
    bool active;
    bool pending;  // one WM_TIMER waits for delivery
    uintptr_t id;
    int64_t periodNs;
    int64_t deadlineNs;  // next expiry; always later than the last collection time
    int64_t pendingSinceNs;
};

struct TimerTable {
    HostTimer slots[TIMER_SLOTS];
    bool held;  // no message falls due until TimerHold lets go
};

// Starts timer `id`, or restarts it with the new period if it exists. The first expiry is
// one period after `nowNs`. Returns false when every slot is taken.
bool TimerSet(TimerTable *table, uintptr_t id, unsigned int periodMs, int64_t nowNs);

// Stops timer `id` and drops its pending message. Returns false when there is no such timer.
bool TimerKill(TimerTable *table, uintptr_t id);

// Stops every timer.
void TimerKillAll(TimerTable *table);

// Marks every timer whose deadline has come as pending and moves its deadline to the first
// multiple of its period after `nowNs`, skipping the periods missed in a stall.
void TimerCollect(TimerTable *table, int64_t nowNs);

// Holds every timer back (`held`) or lets them go again at `nowNs`. Holding drops the pending
// messages; letting go moves each deadline to the first multiple of its period after `nowNs`.
void TimerHold(TimerTable *table, bool held, int64_t nowNs);

// Milliseconds the loop may sleep before a deadline comes: 0 when a message is pending or a
// deadline has passed, -1 when there are no timers or they are held (sleep until some other
// event).
// Rounded up, so a wake-up never comes before the deadline it waits for.
int TimerWaitMs(const TimerTable *table, int64_t nowNs);

// `waitMs` (-1: no limit) shortened, rounded up as above, so that a sleep begun at `nowNs` ends
// by `deadlineNs`: for a host that must also look again at a time of its own.
int WaitMsUntil(int waitMs, int64_t nowNs, int64_t deadlineNs);

// Takes the pending message that has waited longest (so no timer starves another) and
// returns true with its id, or returns false when nothing is pending.
bool TimerTakePending(TimerTable *table, uintptr_t *id);

#endif
