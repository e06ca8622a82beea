#!/bin/sh
# The real program under AddressSanitizer and UndefinedBehaviorSanitizer: `tumblix-asan
# --fullscreen` (tumblix with every file sanitized) draws for SECONDS on a private Xvfb,
# is sent SIGTERM, and must end with status 0 and print nothing: no sanitizer report, and
# no leak once the process exits.
#
# usage: sanitized_run.sh TUMBLIX-ASAN X11-PROBE [SECONDS]
#
# Leaks inside Mesa: at exit Xlib closes the display and Mesa unloads its driver
# (swrast_dri.so) and its GLX vendor library, so what those still point at looks leaked and
# is reported from an "<unknown module>" that no suppression can name. Both are preloaded
# here (after the sanitizer runtime, which must come first), so they stay loaded until the
# leak check; lsan.supp then covers allocations made inside the GL, Mesa and X11 libraries.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/harness.sh"
TUMBLIX=$1
PROBE=$2
RUN_SECONDS=${3:-10}

asan_runtime=$(ldd "$TUMBLIX" | awk '/libasan\.so/ {print $3; exit}')
glx_vendor=$(ldconfig -p | awk '/libGLX_mesa\.so\.0 / {print $NF; exit}')
driver=${glx_vendor%/*}/dri/swrast_dri.so
for file in "$asan_runtime" "$glx_vendor" "$driver"; do
    [ -f "$file" ] || { echo "FAIL: cannot find '$file' (sanitizer runtime, Mesa GLX, swrast driver)"; exit 1; }
done

start_xvfb 1024x768
something_drawn() { [ "$("$PROBE" lit 0 0 1024 768)" -gt 0 ]; }

ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1 \
LSAN_OPTIONS=suppressions=$here/lsan.supp:print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LD_PRELOAD="$asan_runtime $glx_vendor $driver" \
    "$TUMBLIX" --fullscreen 2>"$TEST_TMP/err" &
SAVER=$!
track "$SAVER"
check "the sanitized saver starts and draws" wait_until 20 something_drawn
sleep "$RUN_SECONDS"
check "it is still running after $RUN_SECONDS s" alive "$SAVER"
kill -TERM "$SAVER"
check "SIGTERM ends it with status 0 and no sanitizer report" ends_cleanly 20
finish
