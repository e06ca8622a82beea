#!/bin/sh
# `tumblix --fullscreen` in a Wayland session (tumblix hands over to tumblix-wayland) on sway
# with two outputs of two sizes: each covered, the whole well filling each (it moves); a small
# pointer move keeps it, a large one ends it with 0, also from the second output across onto the
# first, as do a key, SIGTERM and SIGINT; an output made while it runs gets a well too, one that
# goes is dropped; the compositor going away ends it with 1 within a second.
#   fullscreen.sh TUMBLIX POINTER-HELPER SHOT
# SHOT keeps the two-output screenshot.
here=$(dirname "$0")
. "$here/../../scripts/lib/harness.sh"
. "$here/compositor.sh"
TUMBLIX=$1
POINTER=$2
SHOT=$3
require grim wtype convert compare
OUTPUT_SIZES="640x480 800x600 640x480"
start_sway
swaymsg create_output >/dev/null
start_pointer "$POINTER"
load_numbers "$TUMBLIX"
jitter=$MOUSE_JITTER_PX

start_saver() {  # start_saver [X Y]: with the pointer there
    swaymsg "seat - cursor set ${1:-320} ${2:-240}" >/dev/null
    launch "$TUMBLIX" --fullscreen
    wait_until 10 outputs_covered 2 "$TEST_TMP/shot.png"
}

still_running() { sleep 0.5; alive "$SAVER"; }

moving() {
    grim "$TEST_TMP/a.png" && sleep 0.3 && grim "$TEST_TMP/b.png" &&
        [ "$(compare -metric AE "$TEST_TMP/a.png" "$TEST_TMP/b.png" null: 2>&1)" != 0 ]
}

check "each of two outputs covered, a well on each" start_saver
cp "$TEST_TMP/shot.png" "$SHOT"
check "the picture moves" moving
swaymsg "seat - cursor move $((jitter / 2)) 0" >/dev/null
check "a move within the jitter square keeps it" still_running
swaymsg "seat - cursor move $((jitter * 5)) 0" >/dev/null
check "a large move ends it with 0" ends_cleanly 3

check "restarts" start_saver
wtype -s 300 x  # its keyboard joins the seat first, so the saver has one when the key comes
check "a key ends it with 0" ends_cleanly 3

check "restarts" start_saver
swaymsg create_output >/dev/null
check "an output made while it runs gets a well" wait_until 10 outputs_covered 3 "$TEST_TMP/shot.png"
swaymsg output HEADLESS-3 disable >/dev/null
others_kept() { still_running && outputs_covered 2 "$TEST_TMP/shot.png"; }
check "an output that goes is dropped, the others stay covered" others_kept
swaymsg output HEADLESS-3 enable >/dev/null
check "and when it comes back it gets a well again" wait_until 10 outputs_covered 3 "$TEST_TMP/shot.png"
kill -TERM "$SAVER"
check "SIGTERM ends it with 0" ends_cleanly 3

# The pointer's start on the second output, a pixel or two from the first: the outputs' real
# places (sway's xdg-output) make the moves across small.
check "restarts with the pointer on the second output" start_saver 642 240
swaymsg "seat - cursor move -1 0" >/dev/null
swaymsg "seat - cursor move -2 0" >/dev/null
check "moves within the jitter square, onto the first output, keep it" still_running
swaymsg "seat - cursor move -$((jitter * 5)) 0" >/dev/null
check "a large move from there ends it with 0" ends_cleanly 3

check "restarts" start_saver
kill -INT "$SAVER"
check "SIGINT ends it with 0" ends_cleanly 3

check "restarts" start_saver
lost() {
    kill -KILL "$COMPOSITOR"
    started=$(now_ms)
    wait_exit "$SAVER" 1
    echo "  status $STATUS after $(($(now_ms) - started)) ms: $(cat "$TEST_TMP/err")"
    [ "$STATUS" = 1 ] && [ "$(wc -l <"$TEST_TMP/err")" = 1 ]
}
check "the compositor killed: status 1 and one line within a second" lost
finish
