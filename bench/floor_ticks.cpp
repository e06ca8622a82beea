// The POSIX floor programs' loop; see floor_ticks.h.
#include "bench/floor_ticks.h"

#include <errno.h>
#include <stdint.h>
#include <time.h>

#include "bench/floor_draw.h"

static const int64_t NS_PER_MS = 1000000;

struct Tick {
    int64_t periodNs;
    int64_t deadlineNs;
};

static int64_t Now()
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (int64_t)now.tv_sec * 1000000000 + now.tv_nsec;
}

static void SleepUntil(int64_t deadlineNs)
{
    struct timespec when = {(time_t)(deadlineNs / 1000000000), (long)(deadlineNs % 1000000000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &when, nullptr) == EINTR) {
    }
}

void FloorRunTicks(int cells, void (*show)(void *data), void *data)
{
    Tick ticks[2] = {{GRAVITY_PERIOD_MS * NS_PER_MS, 0}, {STEERING_PERIOD_MS * NS_PER_MS, 0}};
    int64_t start = Now();
    for (Tick &tick : ticks)
        tick.deadlineNs = start + tick.periodNs;
    float theta = 0.0f;
    for (;;) {
        int64_t soonest =
            ticks[0].deadlineNs < ticks[1].deadlineNs ? ticks[0].deadlineNs : ticks[1].deadlineNs;
        SleepUntil(soonest);
        int64_t now = Now();
        for (Tick &tick : ticks) {
            if (tick.deadlineNs > now)
                continue;
            tick.deadlineNs += ((now - tick.deadlineNs) / tick.periodNs + 1) * tick.periodNs;
            FloorDrawFrame(cells, theta);
            show(data);
            theta = theta + 1.0f >= 360.0f ? 0.0f : theta + 1.0f;
        }
    }
}
