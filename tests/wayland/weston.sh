#!/bin/sh
# On Weston (xdg-shell, no layer-shell): `tumblix --fullscreen` falls back to a full-screen
# toplevel that covers the output and ends with 0 on SIGTERM; `--background`, which needs
# layer-shell, is refused with one line and status 1, as is any mode with no compositor.
#   weston.sh TUMBLIX
here=$(dirname "$0")
. "$here/../../scripts/lib/harness.sh"
. "$here/compositor.sh"
TUMBLIX=$1
require weston-screenshooter convert
start_weston

# The whole output is the saver's: its corners black (no panel, no desktop), a well drawn.
shot_covered() {
    rm -f "$TEST_TMP"/shots/*.png
    (cd "$TEST_TMP/shots" && weston-screenshooter >/dev/null 2>&1) || return 1
    shot=$(ls "$TEST_TMP"/shots/*.png) || return 1
    last_x=$((OUTPUT_W - 8))
    last_y=$((OUTPUT_H - 8))
    for corner in "0 0" "$last_x 0" "0 $last_y" "$last_x $last_y"; do
        # shellcheck disable=SC2086
        ! lit_area "$shot" $corner 8 8 || return 1
    done
    lit_area "$shot" 0 0 $OUTPUT_W $OUTPUT_H
}
lit_area() {
    mean=$(convert "$1" -crop "$4x$5+$2+$3" +repage -format '%[fx:mean]' info:) &&
        awk -v m="$mean" 'BEGIN { exit !(m > 0) }'
}
mkdir "$TEST_TMP/shots"

launch "$TUMBLIX" --fullscreen
check "--fullscreen covers the output" wait_until 10 shot_covered
kill -TERM "$SAVER"
check "SIGTERM ends it with 0" ends_cleanly 3

# refused EXPECTED-TEXT ARGUMENTS...: status 1 and one line on stderr holding the text.
refused() {
    expected=$1
    shift
    "$@" 2>"$TEST_TMP/err"
    status=$?
    echo "  status $status: $(cat "$TEST_TMP/err")"
    [ "$status" = 1 ] && [ "$(wc -l <"$TEST_TMP/err")" = 1 ] && grep -q "$expected" "$TEST_TMP/err"
}
check "--background without layer-shell: status 1 and a line" \
    refused "layer-shell" "$TUMBLIX" --background
check "no compositor: status 1 and a line" \
    refused "cannot connect" env WAYLAND_DISPLAY=wayland-none "$TUMBLIX" --fullscreen
finish
