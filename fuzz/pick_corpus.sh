#!/bin/sh
# Picks a small covering subset of a fuzzer's working corpus for checking in.
#
# usage: fuzz/pick_corpus.sh FUZZ-BINARY WORK-CORPUS OUT-FOLDER [START-COUNT]
# Takes the START-COUNT (default 20) largest inputs, then adds, largest first, each input
# that raises libFuzzer's edge count ("cov"), until the subset covers as many edges as the
# whole working corpus. Files already in OUT-FOLDER are kept and count as picked.
set -eu
binary=$1 work=$2 out=$3 start=${4:-20}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

edges() {
    "$binary" -runs=0 "$@" 2>&1 | sed -n 's/.*INITED cov: \([0-9]*\).*/\1/p'
}

mkdir -p "$out"
goal=$(edges "$work")
ls -S "$work" | head -n "$start" | while read -r f; do cp "$work/$f" "$out/"; done
have=$(edges "$out")
for f in $(ls -S "$work"); do
    [ "$have" -ge "$goal" ] && break
    [ -e "$out/$f" ] && continue
    rm -rf "$scratch/one" && mkdir "$scratch/one" && cp "$work/$f" "$scratch/one/"
    now=$(edges "$out" "$scratch/one")
    if [ "$now" -gt "$have" ]; then
        cp "$work/$f" "$out/"
        have=$now
    fi
done
echo "picked $(ls "$out" | wc -l) inputs covering $have of $goal edges"
