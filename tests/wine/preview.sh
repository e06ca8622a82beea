#!/bin/bash
# /p <window>: the saver makes one child window that fills the given parent (a window of the
# test helper, in another process), draws the playfield in it, and ends with status 0 when
# the parent goes away.
#
# Wine 8 keeps the OpenGL surface of a child window that belongs to another process in an
# off-screen X window instead of compositing it into the parent, so the picture is read from
# that X window, which has the child's size and stands at (0, 0) within its own parent.
. "$(dirname "$0")/../../scripts/lib/wine.sh"
start_xvfb

PARENT_X=100
PARENT_Y=80
PARENT_W=200   # an unusual size, so the saver's drawable is easy to pick out
PARENT_H=150
HOLD_MS=8000   # how long the helper keeps the parent open
WIN_SCR=$(win_path "$SCR")

wine "$PROBE" preview "$WIN_SCR" $PARENT_X $PARENT_Y $PARENT_W $PARENT_H $HOLD_MS 15000 \
    >"$TEST_TMP/probe.out" 2>&1 &
HELPER=$!
track "$HELPER"

child_appears() { grep -qx ready "$TEST_TMP/probe.out"; }

drawable() { xwininfo -root -tree | awk -v g="${PARENT_W}x${PARENT_H}+0+0" 'index($0, g) {print $1; exit}'; }

# One look for the playfield in the saver's drawable; fails while it is not there yet.
playfield_in_child() {
    window=$(drawable)
    [ -n "$window" ] || { echo "no ${PARENT_W}x${PARENT_H} drawable" >"$TEST_TMP/check.txt"; return 1; }
    # The screenshot of a window starts at its first on-screen pixel.
    x=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {print ($NF < 0 ? $NF : 0)}')
    y=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ {print ($NF < 0 ? $NF : 0)}')
    shoot "$TEST_TMP/child.ppm" "$window" &&
        "$SHOT_CHECK" playfield "$TEST_TMP/child.ppm" "$x" "$y" $PARENT_W $PARENT_H >"$TEST_TMP/check.txt"
}

draws_in_child() {
    wait_until 6 playfield_in_child
    status=$?
    echo "  $(cat "$TEST_TMP/check.txt")"
    return $status
}

helper_content() {
    wait_exit "$HELPER" 30
    sed 's/^/  /' "$TEST_TMP/probe.out"
    [ "$STATUS" = 0 ] && grep -qx 'exit=0' "$TEST_TMP/probe.out"
}

check "the saver's child window appears in the parent" wait_until 15 child_appears
check "it draws the playfield" draws_in_child
check "it filled the parent with the right styles and ended with status 0 when the parent went away" \
    helper_content
finish
