#!/bin/sh
# --fullscreen over two monitors of two sizes side by side, the second plugged in while it
# runs: then each shows the whole well filling its own height, centred in its own width, both
# the same frame. The screenshot stays behind as the given PNG file.
. "$(dirname "$0")/../../scripts/lib/harness.sh"
TUMBLIX=$1
SHOT_CHECK=$2
KEPT_SHOT=$3
start_two_monitors --second-later

shot_passes() {  # shot_passes CHECK RECT...: a screenshot passes that check of the screenshot reader
    import -window root -depth 8 "ppm:$TEST_TMP/shot.ppm" 2>/dev/null &&
        "$SHOT_CHECK" "$@" >"$TEST_TMP/shot.txt"
}

launch "$TUMBLIX" --fullscreen
check "on one monitor it draws one well over the whole window" \
    wait_until 10 shot_passes playfield "$TEST_TMP/shot.ppm" 0 0 "$SCREEN_W" "$SCREEN_H"
add_second_monitor
check "then each monitor shows the whole well at its own size, the same frame on both" \
    wait_until 10 shot_passes monitors "$TEST_TMP/shot.ppm" $MONITOR_RECTS
sed 's/^/  /' "$TEST_TMP/shot.txt"
convert "$TEST_TMP/shot.ppm" "$KEPT_SHOT"
kill -TERM "$SAVER"
check "SIGTERM ends it with status 0" ends_cleanly 3
finish
