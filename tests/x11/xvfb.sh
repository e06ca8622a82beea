# Shared by the end-to-end tests: a private Xvfb, tracked processes, and small checks.
# Source it; then call start_xvfb. Every process started through `track` is ended, by its
# PID, when the test exits, and so is the Xvfb.
set -u

TEST_TMP=$(mktemp -d "${TMPDIR:-/tmp}/tumblix-x11.XXXXXX")
TRACKED=""
FAILURES=0

cleanup() {
    for pid in $TRACKED; do
        kill "$pid" 2>/dev/null
    done
    for pid in $TRACKED; do
        wait "$pid" 2>/dev/null
    done
    rm -rf "$TEST_TMP"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

require() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is not installed"; exit 1; }
    done
}

track() { TRACKED="$TRACKED $1"; }

# Forgets a PID that has been waited for, so cleanup does not signal a recycled one.
untrack() {
    kept=""
    for pid in $TRACKED; do
        [ "$pid" = "$1" ] || kept="$kept $pid"
    done
    TRACKED=$kept
}

# start_xvfb WIDTHxHEIGHT: a private server on a free display; sets DISPLAY.
start_xvfb() {
    require Xvfb
    # -noreset: a server that resets when its last client leaves refuses the next for a while.
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$TEST_TMP/display" \
        2>"$TEST_TMP/xvfb.log" &
    XVFB_PID=$!
    track "$XVFB_PID"
    for _ in $(seq 100); do
        [ -s "$TEST_TMP/display" ] && break
        sleep 0.05
    done
    [ -s "$TEST_TMP/display" ] || { cat "$TEST_TMP/xvfb.log"; echo "FAIL: Xvfb did not start"; exit 1; }
    DISPLAY=:$(head -n 1 "$TEST_TMP/display")
    export DISPLAY
    # Mesa's software renderer, so the tests draw the same on every machine.
    export LIBGL_ALWAYS_SOFTWARE=1
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

alive() { kill -0 "$1" 2>/dev/null; }

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

# wait_until SECONDS COMMAND...: polls COMMAND until it succeeds.
wait_until() {
    limit=$(($1 * 20))
    shift
    for _ in $(seq "$limit"); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    return 1
}

finish() {
    if [ "$FAILURES" -ne 0 ]; then
        echo "$FAILURES check(s) failed"
        exit 1
    fi
    echo "all checks passed"
}
