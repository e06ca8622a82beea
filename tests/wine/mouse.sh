#!/bin/bash
# /s and the mouse: jitter of a pixel or two leaves the show running; a real move or a
# button ends it with status 0.
. "$(dirname "$0")/wine_env.sh"
start_xvfb

# Wine on Xvfb without a window manager takes about two seconds to hide a closing window,
# so a wrongly closing saver is caught by waiting longer than that.
CLOSE_GRACE_S=3

stays_running() { sleep "$CLOSE_GRACE_S"; still_running; }

check "full screen starts" start_fullscreen
xdotool mousemove_relative 1 0
check "a one-pixel move does not end it" stays_running
xdotool mousemove_relative -- -2 1
sleep 0.2
xdotool mousemove_relative 1 -1
check "nor does jitter of two pixels around the start" stays_running
xdotool mousemove_relative 40 30
check "a 50-pixel move ends it with status 0" ends_cleanly 15

check "full screen starts again" start_fullscreen
xdotool click 1
check "a mouse button ends it with status 0" ends_cleanly 15
finish
