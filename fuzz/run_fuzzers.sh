#!/bin/sh
# Runs every libFuzzer binary of a build for a fixed time each; exits non-zero on any finding.
#
# usage: fuzz/run_fuzzers.sh BUILD-DIR [SECONDS]
# Each target starts from its checked-in corpus (fuzz/corpus/<name>, only read) and keeps
# what it learns in BUILD-DIR/fuzz-corpus/<name>; crashes, leaks and inputs slower than
# the timeout land in BUILD-DIR/fuzz-findings/<name>/.
set -u
build=${1:?usage: run_fuzzers.sh BUILD-DIR [SECONDS]}
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
status=0
ran=0

for binary in "$build"/fuzz/fuzz-*; do
    name=${binary##*/fuzz-}
    case $name in replay-*) continue ;; esac
    [ -x "$binary" ] || continue
    work=$build/fuzz-corpus/$name
    findings=$build/fuzz-findings/$name
    mkdir -p "$work" "$findings"
    echo "== fuzz-$name for $seconds s"
    if "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$work" "$here/corpus/$name" >"$build/fuzz-$name.log" 2>&1; then
        grep -E '^stat::number_of_executed_units|^Done' "$build/fuzz-$name.log"
    else
        echo "fuzz-$name: FINDING, see $build/fuzz-$name.log and $findings/"
        tail -n 40 "$build/fuzz-$name.log"
        status=1
    fi
    ran=$((ran + 1))
done

if [ "$ran" -eq 0 ]; then
    echo "run_fuzzers.sh: no fuzz targets in $build/fuzz (was it configured with clang?)" >&2
    exit 1
fi
exit $status
