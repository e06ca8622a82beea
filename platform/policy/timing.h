// The saver's two game timers, shared by the window procedure, the simulator that replays
// them without a window, and the benchmarks' floor programs that copy their rhythm.
#ifndef TUMBLIX_TIMING_H
#define TUMBLIX_TIMING_H

enum {
    GRAVITY_TIMER_ID = 1,    // timer id whose messages run GravityTick
    STEERING_TIMER_ID = 2,   // timer id whose messages run SteeringTick
    GRAVITY_PERIOD_MS = 40,  // milliseconds between gravity ticks
    STEERING_PERIOD_MS = 20  // milliseconds between steering ticks
};

#endif
