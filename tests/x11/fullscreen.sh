#!/bin/sh
# --fullscreen: covers the whole screen on top, hides the pointer, draws, and ends with
# status 0 on a key (also once another window has the keyboard focus: it grabs the keyboard),
# a button, the wheel or a large mouse move, but not on a small nudge.
. "$(dirname "$0")/../../scripts/lib/harness.sh"
TUMBLIX=$1
PROBE=$2
require xdotool
start_xvfb 640x480

SCREEN_AREA="0 0 640 480"

something_drawn() { [ "$("$PROBE" lit $SCREEN_AREA)" -gt 0 ]; }

# start_saver: runs tumblix --fullscreen and waits until it draws (its grabs are in place).
start_saver() {
    xdotool mousemove 320 240
    launch "$TUMBLIX" --fullscreen
    wait_until 10 "$PROBE" find Tumblix && wait_until 10 something_drawn
}

closed() { ends_cleanly 3 && ! "$PROBE" find Tumblix; }  # and left no window

covers_screen() {
    info=$("$PROBE" info "$("$PROBE" find Tumblix)")
    [ "$info" = "0 0 640 480 1 1" ] || { echo "  window: $info"; return 1; }
}

still_running() { sleep 0.5; alive "$SAVER"; }

cursor_is() { [ "$("$PROBE" cursor)" = "$1" ]; }

# As a desktop would: the keyboard focus goes to the window the holder made.
focus_elsewhere() {
    xdotool windowfocus "$(cat "$TEST_TMP/holder")"
    [ "$(xdotool getwindowfocus -f)" = "$(($(cat "$TEST_TMP/holder")))" ]
}

on_top() { top=$("$PROBE" top) && mine=$("$PROBE" find Tumblix) && [ "$top" = "$mine" ]; }

check "the pointer shows before the saver starts" cursor_is shown
check "fullscreen saver starts and draws" start_saver
check "the pointer is hidden over it" cursor_is hidden
check "it covers the whole screen, override-redirect" covers_screen
check "it is the top-most window" on_top
"$PROBE" hold 50 50 200 100 >"$TEST_TMP/holder" &
HOLDER=$!
track "$HOLDER"
covered_again() {
    wait_until 5 test -s "$TEST_TMP/holder" || return 1  # mapped now, above the saver
    wait_until 5 on_top
}
check "a window mapped later is covered again" covered_again
xdotool mousemove_relative 1 0
check "a one-pixel move does not end it" still_running
xdotool mousemove_relative -- -1 3
check "nor does a few pixels' jitter" still_running
xdotool mousemove_relative 40 30
check "a large move ends it with status 0" closed

check "restarts" start_saver
check "another window takes the keyboard focus" focus_elsewhere
xdotool key x
check "a key press still ends it with status 0" closed
kill "$HOLDER"
wait "$HOLDER" 2>/dev/null
untrack "$HOLDER"

check "restarts" start_saver
xdotool click 1
check "a mouse button ends it with status 0" closed

check "restarts" start_saver
xdotool click 5
check "the wheel ends it with status 0" closed

check "restarts" start_saver
kill -TERM "$SAVER"
check "SIGTERM ends it with status 0" closed
finish
