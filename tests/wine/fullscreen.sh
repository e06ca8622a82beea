#!/bin/bash
# /s: one topmost window over the whole screen that shows the playfield, in one shaded colour
# on black; the picture moves; the pointer is hidden over it; another window taking the
# foreground ends it with 0; started in front of another program's window it takes the
# foreground, and a key press ends it with 0. (`make bench` measures how soon the first frame
# comes.)
. "$(dirname "$0")/../../scripts/lib/wine.sh"
start_xvfb

covers_screen() {
    info=$(xwininfo -id "$(saver_window)")
    geometry=$(printf '%s\n' "$info" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}')
    [ "$geometry" = "0 0 $SCREEN_W $SCREEN_H" ] || { echo "  window at $geometry"; return 1; }
}

picture_moves() {
    sleep 1
    shoot "$TEST_TMP/second.ppm"
    "$SHOT_CHECK" playfield "$TEST_TMP/second.ppm" 0 0 $SCREEN_W $SCREEN_H | sed 's/^/  second: /'
    "$SHOT_CHECK" differ "$TEST_TMP/first.ppm" "$TEST_TMP/second.ppm" 0 0 $SCREEN_W $SCREEN_H |
        sed 's/^/  /'
    [ "${PIPESTATUS[0]}" = 0 ]
}

# inspected FACT: another Windows program sees FACT (key=value) of the saver's window.
inspected() {
    wine "$PROBE" inspect >"$TEST_TMP/inspect.out" 2>&1
    grep -qx "$1" "$TEST_TMP/inspect.out" || { sed 's/^/  /' "$TEST_TMP/inspect.out"; return 1; }
}

check "full screen starts and shows the playfield on black" start_fullscreen
check "the window covers the whole screen" covers_screen
check "two screenshots a second apart differ" picture_moves
check "it is a topmost window" inspected topmost=1
check "the pointer is hidden over it" inspected cursor=hidden
check "it is still running" still_running

# Another program's window taking the foreground ends the show, as a key would.
wine "$PROBE" idle 60000 >"$TEST_TMP/front.out" 2>&1 &
track $!
check "another window takes the foreground" wait_until 20 grep -qx ready "$TEST_TMP/front.out"
check "that ends it with status 0" ends_cleanly 15

# Started while that window is in front, as from a desktop: it takes the keyboard.
check "full screen starts again" start_fullscreen
check "it is the foreground window" inspected foreground=Tumblix
xdotool key space
check "a key press ends it with status 0" ends_cleanly 15
finish
