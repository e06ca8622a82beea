#!/bin/sh
# `make soak`: the long forms of the endurance and soak tests, about 35 minutes in all.
#
# usage: tests/soak/run_soak.sh BUILD-DIR WINDOWS-BUILD-DIR
#   drawing state   10^9 frames of colour drift and spin (about 150 days at 75 frames/s)
#   game            tumblix-sim for a simulated week (seed 1) and a day each for seeds 2 and 3
#   native saver    30 minutes on Xvfb, sampled every 10 s, judged after 60 s of warm-up;
#                   the Wine saver for the same 30 minutes beside it
#   sanitizers      the sanitized saver for 5 minutes
#   input           a burst of 1000 pointer moves inside the jitter square
# Every part runs even when an earlier one fails; the summary lists each with its result.
# SOAK_LONG_SECONDS and SOAK_SANITIZED_SECONDS shorten the timed parts (for trying it out).
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: run_soak.sh BUILD-DIR WINDOWS-BUILD-DIR}" && pwd)
winbuild=${2:?usage: run_soak.sh BUILD-DIR WINDOWS-BUILD-DIR}
winbuild=$(cd "$winbuild" 2>/dev/null && pwd || echo "$winbuild")
logs=$build/soak-logs
mkdir -p "$logs"
summary=""
failed=0

LONG_SECONDS=${SOAK_LONG_SECONDS:-1800}      # the two half-hour soaks
SANITIZED_SECONDS=${SOAK_SANITIZED_SECONDS:-300}

record() {  # record NAME STATUS
    if [ "$2" -eq 0 ]; then summary="$summary
  ok    $1"; else summary="$summary
  FAIL  $1 (log: $logs/$1.log)"; failed=1; fi
}

run() {  # run NAME COMMAND...: runs in the foreground, output to the terminal and the log
    name=$1
    shift
    echo "== $name"
    "$@" >"$logs/$name.log" 2>&1
    status=$?
    tail -n 25 "$logs/$name.log"
    record "$name" "$status"
}

run drawing-1e9-frames "$build/tests/soak/drawing_endurance" 1000000000
run sim-week sh "$here/sim_endurance.sh" "$build/tools/tumblix-sim" 168 1
run sim-days sh "$here/sim_endurance.sh" "$build/tools/tumblix-sim" 24 2 3
run input-bursts-1000 sh "$here/input_bursts.sh" "$build/tumblix" "$build/tests/x11/x11-probe" 1000
run sanitized sh "$here/sanitized_run.sh" "$build/tests/soak/tumblix-asan" \
    "$build/tests/x11/x11-probe" "$SANITIZED_SECONDS"

# The two half-hour soaks side by side, each on its own Xvfb.
echo "== native and Wine soaks side by side ($LONG_SECONDS s)"
sh "$here/native_soak.sh" "$build/tumblix" "$build/tests/x11/x11-probe" "$LONG_SECONDS" 10 60 \
    >"$logs/native-long.log" 2>&1 &
native=$!
# The Wine tests' arguments: the saver, their helper, their screenshot reader, their prefix
# (made here if `make test` has not made it yet).
wine_args="$winbuild/Tumblix.scr $winbuild/tools/checks/tumblix_probe.exe
    $build/tools/checks/tumblix_shot_check $build/tests/wine/wineprefix"
bash "$here/../wine/prefix.sh" $wine_args >"$logs/wine-prefix.log" 2>&1 &&
    bash "$here/wine_soak.sh" $wine_args "$LONG_SECONDS" 10 60 >"$logs/wine-long.log" 2>&1 &
wine=$!
wait "$native"
status=$?
tail -n 25 "$logs/native-long.log"
record native-long "$status"
wait "$wine"
status=$?
tail -n 25 "$logs/wine-prefix.log" "$logs/wine-long.log" 2>/dev/null
record wine-long "$status"

echo "== soak summary$summary"
exit "$failed"
