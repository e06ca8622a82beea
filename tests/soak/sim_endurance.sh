#!/bin/sh
# Endurance of the game: tumblix-sim plays TICKS gravity ticks (25 per simulated second,
# with the two steering ticks between each) and checks the whole state after every tick.
#
# usage: sim_endurance.sh TUMBLIX-SIM TICKS SEED...
# Passes when every seed plays all its ticks without a fault and the summary says so.
set -u
sim=$1 ticks=$2
shift 2
for seed in "$@"; do
    out=$("$sim" --quiet --seed "$seed" --ticks "$ticks" 2>&1)
    status=$?
    echo "$out"
    if [ "$status" -ne 0 ]; then
        echo "FAIL: seed $seed: tumblix-sim ended with status $status"
        exit 1
    fi
    if ! printf '%s\n' "$out" | grep -q "^gravity ticks: *$ticks\$"; then
        echo "FAIL: seed $seed: the summary does not show $ticks gravity ticks"
        exit 1
    fi
done
echo "ok: $# seed(s), $ticks gravity ticks each, no fault"
