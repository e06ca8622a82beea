#!/bin/bash
# Soak of the Windows saver under Wine: `Tumblix.scr /s` runs SECONDS on a private Xvfb
# while the resident memory of its process is sampled (the rule is in sampler.sh; Wine's
# threads and handles are shown, not judged); then a key press must end it with status 0.
# Uses the Wine set-up of the Wine tests (scripts/lib/wine.sh) and their prefix.
#
# usage: wine_soak.sh TUMBLIX.SCR TUMBLIX_PROBE.EXE SHOT-CHECK WINEPREFIX SECONDS
#                     [INTERVAL [WARMUP [RSS_SLACK_KB]]]
SOAK_SECONDS=${5:?usage: wine_soak.sh SCR PROBE SHOT-CHECK PREFIX SECONDS [INTERVAL [WARMUP [SLACK]]]}
INTERVAL=${6:-5}
WARMUP=${7:-15}
RSS_SLACK_KB=${8:-1024}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/wine.sh"
. "$here/sampler.sh"
start_xvfb

# Under Wine the process that `wine` starts becomes the saver's own process.
check "Tumblix.scr /s starts and shows the playfield" start_fullscreen
check "it runs $SOAK_SECONDS s, sampled every $INTERVAL s" \
    sample_process "$SAVER" "$SOAK_SECONDS" "$INTERVAL" "$TEST_TMP/samples"
check "its resident memory does not grow after ${WARMUP} s of warm-up" \
    judge_growth "$TEST_TMP/samples" "$WARMUP" "$RSS_SLACK_KB" rss
xdotool key space
check "a key press ends it with status 0" ends_cleanly 15
finish
