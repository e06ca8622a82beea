# Shell helpers shared by the end-to-end tests and the benchmark script: tracked processes,
# a private Xvfb, polling and checks. The sourcing script sets TEST_TMP, TRACKED and
# FAILURES first and owns the clean-up (its EXIT trap ends every tracked PID).

alive() { kill -0 "$1" 2>/dev/null; }

# The pixels the full-screen saver's pointer may stray from its start, in x and in y, read
# from the one place that sets it for every host. Called from a script in tests/<folder>/.
mouse_jitter_px() {
    sed -n 's/^enum { MOUSE_JITTER_PX = \([0-9]*\) };.*/\1/p' \
        "$(dirname "$0")/../../platform/common/closing.h"
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

# start_private_xvfb WIDTHxHEIGHT: an X server on a free display; sets DISPLAY and XVFB_PID
# (not tracked: the caller decides when it stops). -noreset: a server that resets when its
# last client leaves refuses the next one for a while.
start_private_xvfb() {
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$TEST_TMP/display" \
        2>"$TEST_TMP/xvfb.log" &
    XVFB_PID=$!
    for _ in $(seq 200); do
        [ -s "$TEST_TMP/display" ] && break
        sleep 0.05
    done
    [ -s "$TEST_TMP/display" ] || { cat "$TEST_TMP/xvfb.log"; fail_now "Xvfb did not start"; }
    DISPLAY=:$(head -n 1 "$TEST_TMP/display")
    export DISPLAY
    # Mesa's software renderer, so every machine draws the same.
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
