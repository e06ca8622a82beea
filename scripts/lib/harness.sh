# The shell harness of the end-to-end tests, the soak tests, `make demo` and `make bench`: a
# scratch folder, tracked processes, a private Xvfb (or a two-monitor Xorg), polling, the
# build's numbers, checks and the verdict. Source it first. It makes TEST_TMP and owns the clean-up: at exit every tracked
# process is ended by its PID, then `before_display_ends` runs (a wrapper such as
# scripts/lib/wine.sh redefines it), then the Xvfb is stopped and TEST_TMP removed.
set -u
TEST_TMP=$(mktemp -d "${TMPDIR:-/tmp}/tumblix-$(basename "$0" .sh).XXXXXX")
TRACKED=""
XVFB_PID=""
FAILURES=0

before_display_ends() { :; }

cleanup() {
    for pid in $TRACKED; do
        kill "$pid" 2>/dev/null
    done
    for pid in $TRACKED; do
        wait "$pid" 2>/dev/null
    done
    before_display_ends
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
    rm -rf "$TEST_TMP"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

alive() { kill -0 "$1" 2>/dev/null; }

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# load_numbers PATH: sets the numbers that the build wrote for scripts (numbers.sh, from
# scripts/numbers.cpp: MOUSE_JITTER_PX, GRAVITY_PERIOD_MS, STEERING_PERIOD_MS,
# TUMBLIX_VERSION), from the build folder that holds PATH: the nearest folder at or above it
# with a CMakeCache.txt.
load_numbers() {
    numbers_dir=$1
    [ -d "$numbers_dir" ] || numbers_dir=$(dirname "$numbers_dir")
    numbers_dir=$(cd "$numbers_dir" && pwd) || fail_now "load_numbers: no folder $1"
    until [ -f "$numbers_dir/CMakeCache.txt" ] || [ "$numbers_dir" = / ]; do
        numbers_dir=$(dirname "$numbers_dir")
    done
    [ -f "$numbers_dir/numbers.sh" ] || fail_now "no numbers.sh in the build folder of $1: build it first"
    . "$numbers_dir/numbers.sh"
}

track() { TRACKED="$TRACKED $1"; }

# Forgets a PID that has been waited for, so clean-up does not signal a recycled one.
untrack() {
    kept=""
    for pid in $TRACKED; do
        [ "$pid" = "$1" ] || kept="$kept $pid"
    done
    TRACKED=$kept
}

fail_now() { echo "FAIL: $*"; exit 1; }

require() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || fail_now "$tool is not installed"
    done
}

# start_xvfb [WIDTHxHEIGHT]: an X server on a free display, of the given size or else of
# SCREEN_W x SCREEN_H; sets DISPLAY, SCREEN_W, SCREEN_H and XVFB_PID. -noreset: a server
# that resets when its last client leaves refuses the next one for a while.
start_xvfb() {
    [ $# = 0 ] || { SCREEN_W=${1%x*}; SCREEN_H=${1#*x}; }
    require Xvfb
    Xvfb -displayfd 3 -screen 0 "${SCREEN_W}x${SCREEN_H}x24" -nolisten tcp -noreset \
        3>"$TEST_TMP/display" 2>"$TEST_TMP/xvfb.log" &
    XVFB_PID=$!
    wait_until 10 test -s "$TEST_TMP/display" ||
        { cat "$TEST_TMP/xvfb.log"; fail_now "Xvfb did not start"; }
    DISPLAY=:$(head -n 1 "$TEST_TMP/display")
    export DISPLAY
    # In a Wayland session tumblix would hand over to its Wayland program; these tests are X11's.
    unset WAYLAND_DISPLAY WAYLAND_SOCKET
    # Mesa's software renderer, so every machine draws the same.
    export LIBGL_ALWAYS_SOFTWARE=1
}

# start_two_monitors [--second-later]: like start_xvfb, but with two monitors of two sizes side
# by side (800 x 600, then 1024 x 768; a laptop's panel beside a larger monitor), as RandR
# monitors and Xinerama heads, which Xvfb cannot offer: Xorg with the dummy video driver, as
# root. Sets DISPLAY, SCREEN_W and SCREEN_H (1824 x 768), MONITOR_RECTS ("x y width height" of
# each) and XVFB_PID. With --second-later the right one waits for add_second_monitor, as when
# a monitor is plugged in.
start_two_monitors() {
    require Xorg xrandr
    [ "$(id -u)" = 0 ] || fail_now "Xorg with the dummy video driver runs as root only"
    # The driver's default 4 MiB of video memory holds no 1824 x 768 screen.
    cat >"$TEST_TMP/xorg.conf" <<'END'
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 16384
EndSection
END
    # Every such server shares the console's terminal and never switches it.
    Xorg -displayfd 3 -config "$TEST_TMP/xorg.conf" -logfile "$TEST_TMP/xorg.log" -noreset \
        -nolisten tcp -sharevts -novtswitch 3>"$TEST_TMP/display" 2>/dev/null &
    XVFB_PID=$!
    wait_until 20 test -s "$TEST_TMP/display" ||
        { tail -n 20 "$TEST_TMP/xorg.log"; fail_now "Xorg did not start"; }
    DISPLAY=:$(head -n 1 "$TEST_TMP/display")
    export DISPLAY LIBGL_ALWAYS_SOFTWARE=1
    SCREEN_W=1824
    SCREEN_H=768
    MONITOR_RECTS="0 0 800 600 800 0 1024 768"
    xrandr --fb 1824x768 --output DUMMY0 --mode 800x600 --pos 0x0 ||
        fail_now "Xorg's dummy driver has no 800 x 600 monitor"
    [ "${1:-}" = --second-later ] || add_second_monitor
}

add_second_monitor() {
    xrandr --addmode DUMMY1 1024x768 && xrandr --output DUMMY1 --mode 1024x768 --pos 800x0 &&
        [ "$(xrandr --listmonitors | head -n 1)" = "Monitors: 2" ] ||
        fail_now "Xorg's dummy driver did not give a second monitor"
}

# launch COMMAND...: starts the program under test in the background, its standard error in
# $TEST_TMP/err; sets SAVER, its PID, and tracks it.
launch() {
    "$@" 2>"$TEST_TMP/err" &
    SAVER=$!
    track "$SAVER"
}

check() {  # check DESCRIPTION COMMAND...: records a failure instead of stopping
    description=$1
    shift
    if "$@"; then
        echo "ok: $description"
    else
        echo "FAIL: $description"
        FAILURES=$((FAILURES + 1))
    fi
}

# wait_exit PID SECONDS: waits for PID to end; sets STATUS (or 'running' when it did not end).
wait_exit() {
    for _ in $(seq $(($2 * 20))); do
        alive "$1" || break
        sleep 0.05
    done
    if alive "$1"; then
        STATUS=running
    else
        wait "$1"
        STATUS=$?
        untrack "$1"
    fi
}

# ends_cleanly SECONDS: the program under test (SAVER) ends within SECONDS, with status 0
# and nothing in $TEST_TMP/err.
ends_cleanly() {
    started=$(now_ms)
    wait_exit "$SAVER" "$1"
    [ "$STATUS" = 0 ] || { echo "  status: $STATUS"; cat "$TEST_TMP/err"; return 1; }
    echo "  ended within $(($(now_ms) - started)) ms"
    [ ! -s "$TEST_TMP/err" ] || { cat "$TEST_TMP/err"; return 1; }
}

# The clock since boot, in hundredths of a second (read from /proc, no process started).
uptime_cs() {
    read -r up _ </proc/uptime
    echo "${up%.*}${up#*.}"
}

# wait_until SECONDS COMMAND...: polls COMMAND every 50 ms until it succeeds, for SECONDS of
# the clock however long COMMAND itself takes (a slow check is not given SECONDS many tries).
wait_until() {
    deadline=$(($(uptime_cs) + $1 * 100))
    shift
    while :; do
        "$@" >/dev/null 2>&1 && return 0
        [ "$(uptime_cs)" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# The verdict of a script's checks, as its exit status.
finish() {
    if [ "$FAILURES" -ne 0 ]; then
        echo "$FAILURES check(s) failed"
        exit 1
    fi
    echo "all checks passed"
}
