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

. "$(dirname "$0")/../lib/harness.sh"

# start_xvfb WIDTHxHEIGHT: a private server on a free display; sets DISPLAY.
start_xvfb() {
    require Xvfb
    start_private_xvfb "$1"
    track "$XVFB_PID"
}

finish() {
    if [ "$FAILURES" -ne 0 ]; then
        echo "$FAILURES check(s) failed"
        exit 1
    fi
    echo "all checks passed"
}
