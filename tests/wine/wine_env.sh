# Shared by the Wine end-to-end tests: a private Xvfb, the private Wine prefix, tracked
# processes, screenshots and small checks. Source it with the test's arguments:
#   <Tumblix.scr> <tumblix_probe.exe> <tumblix_shot_check> <wine prefix folder>
# Every process started through `track` is ended by its PID when the test exits; then the
# prefix's Wine server is told to end its own processes, and the Xvfb is stopped.
set -u

SCR=$1
PROBE=$2
SHOT_CHECK=$3
export WINEPREFIX=$4

TEST_TMP=$(mktemp -d "${TMPDIR:-/tmp}/tumblix-wine.XXXXXX")
TRACKED=""
XVFB_PID=""
FAILURES=0
SCREEN_W=640
SCREEN_H=480

# Quiet, and no Mono, Gecko or desktop-menu helpers: they would prompt, download or write
# outside the prefix.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export HOME=$TEST_TMP/home
export XDG_CACHE_HOME=$TEST_TMP/home/.cache
export MESA_SHADER_CACHE_DISABLE=true
mkdir -p "$HOME"

. "${TUMBLIX_HARNESS:-$(dirname "$0")/../lib/harness.sh}"

cleanup() {
    for pid in $TRACKED; do
        kill "$pid" 2>/dev/null
    done
    for pid in $TRACKED; do
        wait "$pid" 2>/dev/null
    done
    # The prefix is this suite's own; its server ends the helper processes Wine started
    # (explorer, services) before the display goes away.
    if [ -n "$XVFB_PID" ] && [ -d "$WINEPREFIX" ]; then
        wineserver -k 2>/dev/null
        wineserver -w 2>/dev/null
    fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
    rm -rf "$TEST_TMP"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

require Xvfb wine wineserver xdotool xwininfo import
for file in "$SCR" "$PROBE"; do
    [ -f "$file" ] || fail_now "$file is missing: build the Windows side first (make windows)"
done

# start_xvfb: a private X server on a free display; sets DISPLAY.
start_xvfb() { start_private_xvfb "${SCREEN_W}x${SCREEN_H}"; }

# A path as Windows programs under Wine see it (drive Z: is the Unix root).
win_path() { printf 'Z:%s' "$1" | tr '/' '\\'; }

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# shoot FILE [WINDOW]: a screenshot of the screen, or of one X window, as PPM.
shoot() { import -window "${2:-root}" -depth 8 "ppm:$1" 2>/dev/null; }

# The saver's full-screen window as X sees it (Wine names it after the window title).
saver_window() {
    id=$(xdotool search --onlyvisible --name '^Tumblix$' 2>/dev/null | head -n 1)
    [ -n "$id" ] && echo "$id"
}

# A Wine server that has just started spends a second or two starting its own services
# (explorer, devices) beside the first program; on a real PC they are running long before a
# saver starts. A short plain program brings them up, so that timings measure the saver.
warm_wine() { wine "$PROBE" idle 100 >/dev/null 2>&1; }

# start_fullscreen: runs the saver with /s, pointer in the middle of the screen; waits for
# its window and its first picture. Sets SAVER (the PID) and DRAWN_MS (time from launch to a
# playfield on screen).
start_fullscreen() {
    warm_wine
    xdotool mousemove $((SCREEN_W / 2)) $((SCREEN_H / 2))
    launched=$(now_ms)
    wine "$SCR" /s >"$TEST_TMP/saver.out" 2>&1 &
    SAVER=$!
    track "$SAVER"
    wait_until 20 saver_window || { echo "  no saver window"; return 1; }
    window_ms=$(($(now_ms) - launched))
    for _ in $(seq 100); do
        shoot "$TEST_TMP/first.ppm"
        if "$SHOT_CHECK" playfield "$TEST_TMP/first.ppm" 0 0 $SCREEN_W $SCREEN_H >"$TEST_TMP/first.txt"; then
            DRAWN_MS=$(($(now_ms) - launched))
            echo "  window after $window_ms ms, playfield after $DRAWN_MS ms: $(cat "$TEST_TMP/first.txt")"
            return 0
        fi
        alive "$SAVER" || break
        sleep 0.1
    done
    echo "  no playfield: $(cat "$TEST_TMP/first.txt")"
    return 1
}

# ends_cleanly SECONDS: the saver ended within SECONDS with status 0 and said nothing.
ends_cleanly() {
    started=$(now_ms)
    wait_exit "$SAVER" "$1"
    [ "$STATUS" = 0 ] || { echo "  status: $STATUS"; cat "$TEST_TMP/saver.out"; return 1; }
    echo "  ended $(($(now_ms) - started)) ms after the input"
    [ ! -s "$TEST_TMP/saver.out" ] || { cat "$TEST_TMP/saver.out"; return 1; }
}

still_running() { alive "$SAVER" || { echo "  the saver ended"; return 1; }; }

finish() {
    if [ "$FAILURES" -ne 0 ]; then
        echo "$FAILURES check(s) failed"
        exit 1
    fi
    echo "all checks passed"
}
