#!/bin/sh
# Endurance of the game: tumblix-sim plays HOURS of simulated time (its gravity ticks, with
# the two steering ticks between each) and checks the whole state after every tick.
#
# usage: sim_endurance.sh TUMBLIX-SIM HOURS SEED...
# Passes when every seed plays all its ticks without a fault and the summary says so.
. "$(dirname "$0")/../../scripts/lib/harness.sh"
sim=$1 hours=$2
shift 2
load_numbers "$sim"
ticks=$((hours * 3600 * 1000 / GRAVITY_PERIOD_MS))
for seed in "$@"; do
    out=$("$sim" --quiet --seed "$seed" --ticks "$ticks" 2>&1)
    status=$?
    echo "$out"
    [ "$status" -eq 0 ] || fail_now "seed $seed: tumblix-sim ended with status $status"
    printf '%s\n' "$out" | grep -q "^gravity ticks: *$ticks\$" ||
        fail_now "seed $seed: the summary does not show $ticks gravity ticks"
done
echo "ok: $# seed(s), $hours simulated hours ($ticks gravity ticks) each, no fault"
