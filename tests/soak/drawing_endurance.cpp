// Endurance of the drawing state: the colour drift and the spin stepped for as many frames
// as a saver left running for weeks draws, checked on every frame.
//
// usage: drawing_endurance FRAMES
// Starts from the state of a new window (colours set by creation, angle and axis as loaded)
// and calls CycleColor and AdvanceSpin once per frame, as DrawFrame does. Each frame:
//   - red, green and blue stay within [COLOR_LOW, COLOR_HIGH]; the step sizes differ a
//     little (0.01 against 0.01f), so a drift that built up would show here first;
//   - after the first three phases, every colour phase lasts exactly 104 frames, so the
//     cycle neither speeds up nor slows down;
//   - theta is exactly the frame count modulo 360 (whole degrees are exact in a float
//     below 360), so it never stops turning and never leaves [0, 360);
//   - direct is 1 or -1 and changes exactly on every 1000th frame.
// Prints the extremes seen and exits 1 at the first frame that breaks a rule.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "saver/saver.h"

static const float COLOR_LOW = -0.011f;
static const float COLOR_HIGH = 1.021f;
enum {
    SETTLED_PHASE_FRAMES = 104,  // frames per colour phase once the start-up phases are done
    START_UP_PHASES = 3          // phases whose lengths differ (101, 102, 103 changes)
};

static int fail(unsigned long long frame, const char *what)
{
    fprintf(stderr,
            "drawing endurance: frame %llu: %s (red %.7f green %.7f blue %.7f "
            "phase %d theta %.1f direct %.1f count %d)\n",
            frame, what, red, green, blue, color, theta, direct, count);
    return 1;
}

int main(int argc, char **argv)
{
    if (argc != 2 || atoll(argv[1]) <= 0) {
        fprintf(stderr, "usage: %s FRAMES\n", argv[0]);
        return 2;
    }
    const unsigned long long frames = strtoull(argv[1], nullptr, 10);

    // What window creation sets; theta, direct and count keep their load-time values.
    StartColor();
    if (theta != 0.0f || direct != 1.0f || count != 0)
        return fail(0, "the spin does not start from its load-time values");

    float low = 0.0f, high = 1.0f;
    unsigned long long phaseChanges = 0, lastChange = 0;
    for (unsigned long long frame = 1; frame <= frames; frame++) {
        int phase = color;
        CycleColor();
        float was = direct;
        AdvanceSpin();

        const float values[] = {red, green, blue};
        for (float v : values) {
            if (!(v >= COLOR_LOW && v <= COLOR_HIGH))
                return fail(frame, "a colour value left its bounds");
            low = v < low ? v : low;
            high = v > high ? v : high;
        }
        if (color != phase) {
            phaseChanges++;
            if (phaseChanges > START_UP_PHASES && frame - lastChange != SETTLED_PHASE_FRAMES)
                return fail(frame, "a colour phase did not last 104 frames");
            lastChange = frame;
        }
        if (theta != static_cast<float>(frame % 360))
            return fail(frame, "theta is not the frame count modulo 360");
        if (direct != 1.0f && direct != -1.0f)
            return fail(frame, "direct is neither 1 nor -1");
        if ((direct != was) != (frame % SPIN_FLIP_FRAMES == 0))
            return fail(frame, "the axis did not flip exactly every 1000 frames");
    }
    if (phaseChanges <= START_UP_PHASES && frames > 1000)
        return fail(frames, "the colour never settled into its cycle");
    printf("drawing endurance: %llu frames; colours within [%.7f, %.7f]; %llu colour phases; "
           "theta %.0f, direct %.0f at the end\n",
           frames, low, high, phaseChanges, theta, direct);
    return 0;
}
