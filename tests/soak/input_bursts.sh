#!/bin/sh
# The closing rules of `tumblix --fullscreen` under bursts of input, on a private Xvfb:
#   - a burst of BURST pointer moves, all within MOUSE_JITTER_PX of where the pointer
#     stood at start, the edges of that square included, does not close it;
#   - one move a pixel beyond closes it, with status 0 and no message;
#   - key presses sent from the moment it is launched, so the first one lands while it is
#     still starting up, close it cleanly; tried with several head starts.
#
# usage: input_bursts.sh TUMBLIX X11-PROBE [BURST]
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/harness.sh"
TUMBLIX=$1
PROBE=$2
BURST=${3:-100}
START_X=320
START_Y=240
require xdotool
load_numbers "$TUMBLIX"
JITTER=$MOUSE_JITTER_PX
start_xvfb 640x480

something_drawn() { [ "$("$PROBE" lit 0 0 640 480)" -gt 0 ]; }

start_saver() {
    xdotool mousemove $START_X $START_Y
    launch "$TUMBLIX" --fullscreen
    wait_until 10 "$PROBE" find Tumblix && wait_until 10 something_drawn
}

closed_cleanly() {  # closed_cleanly SECONDS: and its window is gone
    ends_cleanly "$1" || return 1
    ! "$PROBE" find Tumblix >/dev/null 2>&1 || { echo "  its window is still there"; return 1; }
}

# One xdotool call moving the pointer BURST times around the start, never more than JITTER
# away in x or y, each move to a place other than the last so each is a motion event.
jitter_burst() {
    moves=""
    i=0
    while [ "$i" -lt "$BURST" ]; do
        dx=$((i % (2 * JITTER + 1) - JITTER))
        dy=$(((i / 3) % (2 * JITTER + 1) - JITTER))
        moves="$moves mousemove $((START_X + dx)) $((START_Y + dy))"
        i=$((i + 1))
    done
    xdotool $moves
}

survives() {
    sleep 1
    alive "$SAVER" || { echo "  it closed"; cat "$TEST_TMP/err"; return 1; }
    pointer=$("$PROBE" pointer)
    echo "  pointer now at $pointer; still drawing: $("$PROBE" lit 0 0 640 480) lit pixels"
    something_drawn
}

check "the fullscreen saver starts and draws" start_saver
jitter_burst
check "$BURST pointer moves within $JITTER px do not close it" survives
xdotool mousemove $((START_X + JITTER + 1)) $START_Y
check "one move $((JITTER + 1)) px away closes it with status 0" closed_cleanly 3

# Keys from the very start: the saver must take the first one it can see as the signal to
# close, whatever it was doing, and end as cleanly as ever.
for head_start in 0 0.05 0.2; do
    xdotool mousemove $START_X $START_Y
    launch "$TUMBLIX" --fullscreen
    sleep "$head_start"
    keys=0
    for _ in $(seq 250); do
        alive "$SAVER" || break
        xdotool key x 2>/dev/null
        keys=$((keys + 1))
        sleep 0.02
    done
    echo "  $keys key press(es) sent before it ended"
    check "key presses from ${head_start} s after launch close it cleanly" closed_cleanly 3
done
finish
