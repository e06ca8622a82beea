#!/bin/sh
# On headless KWin (KDE's compositor, with layer-shell) with two outputs, `tumblix --fullscreen`
# puts a layer surface of each output's size on each and draws into both; SIGTERM ends it
# with 0. Checked by the client's protocol log: KWin offers no screenshot to a client.
#   kwin.sh TUMBLIX
here=$(dirname "$0")
. "$here/../../scripts/lib/harness.sh"
. "$here/compositor.sh"
start_kwin 800 600 2
launch env WAYLAND_DEBUG=1 "$1" --fullscreen
check "each of two outputs gets a layer surface of its size, drawn" \
    wait_until 10 full_screen_shown "$TEST_TMP/err" 800x600 800x600
sed 's/^/  /' "$TEST_TMP/surfaces"
ended() { kill -TERM "$SAVER" && wait_exit "$SAVER" 3 && [ "$STATUS" = 0 ]; }
check "SIGTERM ends it with 0" ended
finish
