// The POSIX floor programs' loop (X11 and Wayland): the saver's two timers as plain deadlines
// on the monotonic clock, and one frame per tick of either.
#ifndef TUMBLIX_BENCH_FLOOR_TICKS_H
#define TUMBLIX_BENCH_FLOOR_TICKS_H

// Sleeps until each tick, draws the frame (FloorDrawFrame) into the current context and
// calls `show` with `data` to put it on screen; never returns. A late tick is one frame,
// however many periods it missed, as with WM_TIMER.
[[noreturn]] void FloorRunTicks(int cells, void (*show)(void *data), void *data);

#endif
