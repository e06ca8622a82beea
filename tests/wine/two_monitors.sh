#!/bin/bash
# /s over two monitors of two sizes side by side: each shows the whole well at its own size,
# both the same frame. The first such screenshot stays behind as the PNG file named by
# TUMBLIX_KEPT_SHOT.
. "$(dirname "$0")/../../scripts/lib/wine.sh"
start_two_monitors

check "each monitor shows the whole well, the same frame on both" start_fullscreen monitors "$MONITOR_RECTS"
convert "$TEST_TMP/first.ppm" "$TUMBLIX_KEPT_SHOT"
xdotool key space
check "a key press ends it with status 0" ends_cleanly 15
finish
