#!/bin/sh
# --root and --window-id draw into the given window (or $XSCREENSAVER_WINDOW), never close
# on input, and end with status 0 on SIGTERM or when the window goes away.
. "$(dirname "$0")/../../scripts/lib/harness.sh"
TUMBLIX=$1
PROBE=$2
require xdotool xwininfo
start_xvfb 640x480

lit() { "$PROBE" lit "$@"; }
lit_above() {  # lit_above COUNT X Y W H
    count=$1
    shift
    [ "$(lit "$@")" -gt "$count" ]
}

ignores_input() {
    xdotool mousemove 10 10 key a click 1 click 4 mousemove 600 400
    sleep 0.5
    alive "$SAVER"
}

# The root window.
launch "$TUMBLIX" --root
check "--root draws on the root window" wait_until 10 lit_above 100 0 0 640 480
check "--root ignores input" ignores_input
kill -TERM "$SAVER"
check "--root ends with status 0 on SIGTERM" ends_cleanly 3
"$PROBE" clear root

# A window of someone else's, at 100,80, 300 by 200.
"$PROBE" hold 100 80 300 200 >"$TEST_TMP/holder" &
HOLDER=$!
track "$HOLDER"
wait_until 10 test -s "$TEST_TMP/holder" || { echo "FAIL: no window to draw into"; exit 1; }
TARGET=$(cat "$TEST_TMP/holder")

draws_only_inside() {
    wait_until 10 lit_above 100 100 80 300 200 || { echo "  nothing inside"; return 1; }
    outside=$(($(lit 0 0 640 80) + $(lit 0 280 640 200) + $(lit 0 80 100 200) + $(lit 400 80 240 200)))
    [ "$outside" -eq 0 ] || { echo "  $outside pixels outside"; return 1; }
}

launch "$TUMBLIX" --window-id "$TARGET"
check "--window-id draws into that window only" draws_only_inside
check "--window-id ignores input" ignores_input
kill -TERM "$SAVER"
check "--window-id ends with status 0 on SIGTERM" ends_cleanly 3
"$PROBE" clear "$TARGET"

# xscreensaver's settings program previews with both options, $XSCREENSAVER_WINDOW naming
# another window (here the root): the window id wins.
XSCREENSAVER_WINDOW=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
export XSCREENSAVER_WINDOW
launch "$TUMBLIX" --root --window-id "$TARGET"
check "--root --window-id draws into that window only" draws_only_inside
check "... and ignores input" ignores_input
kill -TERM "$SAVER"
check "... and ends with status 0 on SIGTERM" ends_cleanly 3
"$PROBE" clear "$TARGET"

XSCREENSAVER_WINDOW=$(printf '%d' "$TARGET")
export XSCREENSAVER_WINDOW
launch "$TUMBLIX" -root
unset XSCREENSAVER_WINDOW
check "-root draws into a decimal \$XSCREENSAVER_WINDOW" draws_only_inside
kill -TERM "$HOLDER"
wait "$HOLDER" 2>/dev/null
untrack "$HOLDER"
check "the window going away ends it with status 0, without X errors" ends_cleanly 3
finish
