#!/bin/sh
# --fullscreen over two monitors side by side: each shows the whole well, both the same frame.
# The screenshot stays behind as the given PNG file.
. "$(dirname "$0")/../lib/harness.sh"
TUMBLIX=$1
SHOT_CHECK=$2
KEPT_SHOT=$3
start_two_monitors

one_well_on_each() {
    import -window root -depth 8 "ppm:$TEST_TMP/shot.ppm" 2>/dev/null &&
        "$SHOT_CHECK" halves "$TEST_TMP/shot.ppm" 0 0 "$SCREEN_W" "$SCREEN_H" >"$TEST_TMP/halves"
}

launch "$TUMBLIX" --fullscreen
check "each monitor shows the whole well, the same frame on both" wait_until 20 one_well_on_each
sed 's/^/  /' "$TEST_TMP/halves"
convert "$TEST_TMP/shot.ppm" "$KEPT_SHOT"
kill -TERM "$SAVER"
check "SIGTERM ends it with status 0" ends_cleanly 3
finish
