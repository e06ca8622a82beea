#!/bin/sh
# Window mode: a window titled "Tumblix" that shows blocks, fills its size when resized and
# ignores input; covered by another window it draws nothing, uncovered it is back at once; the
# window manager's close request, the window's destruction by another client and SIGTERM,
# SIGINT or SIGHUP each end it with status 0.
#   window.sh TUMBLIX PROBE SHOT-CHECK FRAME-COUNTER (the benchmarks' libtumblix-frames.so)
. "$(dirname "$0")/../../scripts/lib/harness.sh"
TUMBLIX=$1
PROBE=$2
SHOT_CHECK=$3
FRAMES=$4
require xdotool import
start_xvfb 800x600

start_window() {
    launch ${PRELOAD:+env LD_PRELOAD="$PRELOAD" TUMBLIX_FRAMES="$TEST_TMP/frames"} "$TUMBLIX" "$@"
    wait_until 10 "$PROBE" find Tumblix || return 1
    WINDOW=$("$PROBE" find Tumblix)
}

# A managed (not override-redirect) window that is mapped.
mapped() { [ "$("$PROBE" info "$WINDOW" | cut -d' ' -f5,6)" = "0 1" ]; }
lit_in_window() {
    set -- $("$PROBE" info "$WINDOW")
    [ "$("$PROBE" lit "$1" "$2" "$3" "$4")" -gt 100 ]
}

blocks_shown() {
    wait_until 10 mapped || { echo "  window: $("$PROBE" info "$WINDOW")"; return 1; }
    # A piece falls into view within a second; give a slow machine more.
    wait_until 10 lit_in_window
}

wait_exit_status() {  # wait_exit_status SECONDS STATUS
    wait_exit "$SAVER" "$1"
    [ "$STATUS" = "$2" ] || { echo "  status: $STATUS"; cat "$TEST_TMP/err"; return 1; }
}

closed() { ends_cleanly 3 && ! "$PROBE" find Tumblix; }  # and left no window

# The first run gets an empty home of its own: nothing may appear in it (no settings, no
# caches, not even the OpenGL driver's).
mkdir "$TEST_TMP/home"
HOME=$TEST_TMP/home
XDG_CACHE_HOME=$HOME/.cache
XDG_CONFIG_HOME=$HOME/.config
export HOME XDG_CACHE_HOME XDG_CONFIG_HOME
check "window mode opens a window titled Tumblix" start_window
check "the window shows blocks" blocks_shown
# Made smaller and of another shape, the well fills the new size as it filled the old one,
# frame after frame (one frame may fit by chance).
well_fills() {
    set -- $("$PROBE" info "$WINDOW")
    [ "$3x$4" = 400x300 ] && import -window root -depth 8 "ppm:$TEST_TMP/shot.ppm" 2>/dev/null &&
        "$SHOT_CHECK" playfield "$TEST_TMP/shot.ppm" "$1" "$2" "$3" "$4" >"$TEST_TMP/shot.txt"
}
fills_frame_after_frame() {
    wait_until 10 well_fills || { cat "$TEST_TMP/shot.txt"; return 1; }
    for _ in $(seq 10); do well_fills || { cat "$TEST_TMP/shot.txt"; return 1; }; done
}
xdotool windowsize "$WINDOW" 400 300
check "resized, the well fills its new size" fills_frame_after_frame
xdotool mousemove 100 100 click 1 key Escape mousemove 500 400
sleep 0.5
check "input does not close a normal window" alive "$SAVER"
"$PROBE" close "$WINDOW"
check "the window manager's close request ends it with status 0" closed
check "it wrote no files" test -z "$(ls -A "$TEST_TMP/home")"

check "starts again" start_window
"$PROBE" destroy "$WINDOW"
check "its window destroyed by another client, it ends with status 0 within a second" \
    wait_exit_status 1 0

# Its buffer swaps, as the frame counter preloaded into it counts them.
swaps() { od -An -t d8 -N8 "$TEST_TMP/frames.$SAVER" | tr -d ' '; }
covered_draws_nothing() {
    "$PROBE" hold 0 0 800 600 >"$TEST_TMP/cover" &
    COVER=$!
    track "$COVER"
    wait_until 5 grep -q 0x "$TEST_TMP/cover" && sleep 0.3 && before=$(swaps) && sleep 0.5 &&
        echo "  $(($(swaps) - before)) frames in 0.5 s, covered" && [ "$(swaps)" = "$before" ]
}
drawing_again() { [ "$(swaps)" -gt "$1" ] && lit_in_window; }
PRELOAD=$FRAMES
check "starts with its frames counted" start_window
PRELOAD=""
check "it draws" wait_until 10 drawing_again 0
check "covered by another window, it draws nothing" covered_draws_nothing
kill "$COVER"
check "uncovered, the well is back within a second" wait_until 1 drawing_again "$(swaps)"
"$PROBE" close "$WINDOW"
check "and it still closes" closed

for sig in TERM INT HUP; do
    check "starts with --window" start_window --window
    sleep 0.3
    kill -"$sig" "$SAVER"
    check "SIG$sig ends it with status 0" closed
done
finish
