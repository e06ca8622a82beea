#!/bin/sh
# On sway: `tumblix --background` covers the output under the windows and ignores input; a
# window (`tumblix`, the default) follows the size sway gives it, draws nothing while hidden
# on another workspace and at once when shown again, and ends with 0 when sway closes it.
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
# Hidden on another workspace it draws nothing: sway sends it no frame callbacks, and the
# saver's timers wait; shown again, it draws at once, at its own pace.
commits() { grep -c 'wl_surface@[0-9]*\.commit()' "$TEST_TMP/window.log"; }
more_commits() { [ "$(commits)" -gt "$1" ]; }
nothing_drawn_while_hidden() {
    swaymsg workspace 2 >/dev/null
    sleep 0.5
    before=$(commits)
    sleep 1
    echo "  $(($(commits) - before)) frames in a second, hidden"
    [ "$(commits)" = "$before" ]
}
drawn_when_shown() {
    before=$(commits)
    swaymsg workspace 1 >/dev/null
    started=$(now_ms)
    wait_until 1 more_commits $((before + 5)) || return 1
    echo "  drawing again within $(($(now_ms) - started)) ms"
}
check "hidden, it draws nothing" nothing_drawn_while_hidden
check "shown again, it draws within a second" drawn_when_shown
swaymsg '[app_id="tumblix"] kill' >/dev/null
check "sway closing the window ends it with 0" closed_with_0
check "the background is still there" alive "$BACKGROUND"
kill -HUP "$SAVER"
check "SIGHUP ends the background with 0" ends_cleanly 3
finish
