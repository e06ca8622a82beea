#!/bin/bash
# /s and the mouse: jitter within the square every host allows leaves the show running; a
# real move or a button ends it with status 0.
. "$(dirname "$0")/../../scripts/lib/wine.sh"
start_xvfb

# Wine on Xvfb without a window manager takes about two seconds to hide a closing window,
# so a wrongly closing saver is caught by waiting longer than that.
CLOSE_GRACE_S=3

stays_running() { sleep "$CLOSE_GRACE_S"; still_running; }
load_numbers "$SHOT_CHECK"
JITTER=$MOUSE_JITTER_PX

check "full screen starts" start_fullscreen
xdotool mousemove_relative 1 0
check "a one-pixel move does not end it" stays_running
xdotool mousemove_relative -- -2 1
sleep 0.2
xdotool mousemove_relative 1 -1
check "nor does jitter of two pixels around the start" stays_running
xdotool mousemove_relative "$JITTER" "$JITTER"
sleep 0.2
xdotool mousemove_relative -- "-$JITTER" "-$JITTER"
check "nor a move to a corner of the $JITTER-pixel square and back" stays_running
xdotool mousemove_relative 20 0
check "a 20-pixel move ends it with status 0" ends_cleanly 15

check "full screen starts again" start_fullscreen
xdotool click 1
check "a mouse button ends it with status 0" ends_cleanly 15
finish
