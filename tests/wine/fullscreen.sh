#!/bin/bash
# /s: one window over the whole screen that shows the playfield, in one shaded colour on
# black, within two seconds of its start; the picture moves; a key press ends it with 0.
. "$(dirname "$0")/wine_env.sh"
start_xvfb

FIRST_FRAME_LIMIT_MS=2000  # from starting the saver to a playfield on screen

drawn_quickly() { [ "$DRAWN_MS" -le "$FIRST_FRAME_LIMIT_MS" ]; }

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

check "full screen starts and shows the playfield on black" start_fullscreen
check "the playfield shows within $FIRST_FRAME_LIMIT_MS ms of the start" drawn_quickly
check "the window covers the whole screen" covers_screen
check "two screenshots a second apart differ" picture_moves
check "it is still running" still_running
xdotool key space
check "a key press ends it with status 0" ends_cleanly 15
finish
