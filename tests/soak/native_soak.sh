#!/bin/sh
# Soak of the native saver: `tumblix --fullscreen` runs SECONDS on a private Xvfb while its
# resident memory, open file descriptors and threads are sampled (see sampler.sh for the
# rule); it must still be drawing at the end and close on SIGTERM with status 0.
#
# usage: native_soak.sh TUMBLIX X11-PROBE SECONDS [INTERVAL [WARMUP [RSS_SLACK_KB]]]
here=$(dirname "$0")
. "$here/../../scripts/lib/harness.sh"
. "$here/sampler.sh"
TUMBLIX=$1
PROBE=$2
SECONDS_TO_RUN=$3
INTERVAL=${4:-5}
WARMUP=${5:-10}
RSS_SLACK_KB=${6:-1024}

start_xvfb 1024x768
something_drawn() { [ "$("$PROBE" lit 0 0 1024 768)" -gt 0 ]; }

launch "$TUMBLIX" --fullscreen
check "the saver starts and draws" wait_until 10 something_drawn
check "it runs $SECONDS_TO_RUN s, sampled every $INTERVAL s" \
    sample_process "$SAVER" "$SECONDS_TO_RUN" "$INTERVAL" "$TEST_TMP/samples"
check "nothing grows after ${WARMUP} s of warm-up" judge_growth "$TEST_TMP/samples" "$WARMUP" "$RSS_SLACK_KB"
check "it is still drawing" something_drawn
kill -TERM "$SAVER"
check "SIGTERM closes it with status 0 and no message" ends_cleanly 5
finish
