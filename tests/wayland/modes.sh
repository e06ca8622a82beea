#!/bin/sh
# On sway: `tumblix --background` covers the output under the windows and ignores input; a
# window (`tumblix`, the default) follows the size sway gives it, keeps drawing at its pace
# while hidden, and ends with 0 when sway closes it.
#   modes.sh TUMBLIX POINTER-HELPER
here=$(dirname "$0")
. "$here/../../scripts/lib/harness.sh"
. "$here/compositor.sh"
TUMBLIX=$1
POINTER=$2
require grim wtype convert
start_sway bare
start_pointer "$POINTER"

launch "$TUMBLIX" --background
BACKGROUND=$SAVER
check "the background covers the output" wait_until 10 outputs_covered 1 "$TEST_TMP/shot.png"
swaymsg 'seat - cursor move 100 50' >/dev/null
swaymsg 'seat - cursor press button1' >/dev/null
swaymsg 'seat - cursor release button1' >/dev/null
wtype -s 300 x
check "it ignores the pointer, a button and a key" sh -c "sleep 0.5; kill -0 $BACKGROUND"

# The window's buffers, as its protocol log shows them: sway's tree keeps the first size.
sized() { grep -q "create_buffer(.*, 0, $1, $2, " "$TEST_TMP/window.log"; }
titled() { swaymsg -t get_tree | grep -q '"name": "Tumblix"'; }
closed_with_0() {
    wait_exit "$WINDOW" 3
    [ "$STATUS" = 0 ] || { echo "  status: $STATUS"; return 1; }
}

env WAYLAND_DEBUG=1 "$TUMBLIX" 2>"$TEST_TMP/window.log" &
WINDOW=$!
track "$WINDOW"
check "a window titled Tumblix opens over it" wait_until 10 titled
# Asked again until it takes: a window sway has just mapped may miss the first request.
resized() {
    swaymsg '[app_id="tumblix"] floating enable, resize set 400 300, move position 0 0' >/dev/null
    sleep 0.2
    sized 400 300
}
check "the window follows a resize to 400x300" wait_until 5 resized
check "the background still covers the rest" outputs_covered 1 "$TEST_TMP/shot.png"
# Hidden on another workspace, it keeps drawing at its own pace: it neither waits for the
# compositor nor spins (the saver's timers give 75 frames a second).
commits() { grep -c 'wl_surface@[0-9]*\.commit()' "$TEST_TMP/window.log"; }
paced_while_hidden() {
    swaymsg workspace 2 >/dev/null
    sleep 0.5
    before=$(commits)
    sleep 1
    drawn=$(($(commits) - before))
    echo "  $drawn frames in a second, hidden"
    swaymsg workspace 1 >/dev/null
    [ "$drawn" -gt 20 ] && [ "$drawn" -lt 300 ]
}
check "hidden, it keeps its pace" paced_while_hidden
swaymsg '[app_id="tumblix"] kill' >/dev/null
check "sway closing the window ends it with 0" closed_with_0
check "the background is still there" alive "$BACKGROUND"
kill -HUP "$SAVER"
check "SIGHUP ends the background with 0" ends_cleanly 3
finish
