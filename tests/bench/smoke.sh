#!/bin/bash
# Smoke test of bench/run_bench.sh and bench/report.sh: every measurement for about a second,
# then checks that the table has every row with figures in it, and that the frame counter
# counted what the floor program drew (exactly its polygons per frame, and the saver's count
# handed on).
#   smoke.sh BUILD WINBUILD WINEPREFIX
# The xscreensaver-gl rows are left out: they need a package downloaded from the network.
. "$(dirname "$0")/../../scripts/lib/harness.sh"
BUILD=$1
WINBUILD=$2
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
RESULTS=$TEST_TMP/RESULTS.md

echo "The xscreensaver-gl rows are not part of this test: they need a downloaded package (make bench has them)."
BENCH_SECONDS=1 BENCH_RUNS=1 BENCH_WARMUP=0.5 BENCH_HACKS=0 BENCH_PREFIX=$3 \
    BENCH_SIM_PIECES=2000 BENCH_ENGINE_ARGS=--benchmark_min_time=0.001 \
    bash "$SOURCE/bench/run_bench.sh" "$BUILD" "$WINBUILD" "$TEST_TMP/figures.tsv" ||
    fail_now "run_bench.sh failed"
bash "$SOURCE/bench/report.sh" "$TEST_TMP/figures.tsv" "$RESULTS" || fail_now "report.sh failed"
cat "$RESULTS"
echo

# The table row that starts with "| NAME |".
table_row() { grep -F "| $1 |" "$RESULTS" | head -n 1; }

# has_figures NAME COUNT: the row exists and its first COUNT cells after the name are numbers.
has_figures() {
    table_row "$1" | awk -F'|' -v n="$2" '{
        for (i = 3; i < 3 + n; i++) { cell = $i; gsub(/ /, "", cell); if (cell !~ /^-?[0-9.]+(\([0-9.-]+\))?$/) exit 1 }
        found = 1
    } END { exit !found }'
}

# cell NAME INDEX: the figure (median) in a cell of a row, INDEX 1 being the first after the name.
cell() { table_row "$1" | awk -F'|' -v i="$2" '{ split($(i + 2), v, " "); print v[1] }'; }

for section in "## 1. Drawing cost" "## 2. OpenGL hacks" "## 3. Idle" "## 4. Wine" "## 5. Start-up" \
    "## 6. Engine" "## 7. Memory" "## 8. The page" "## 10. Unseen"; do
    check "section: $section" grep -q "^$section" "$RESULTS"
done
for row in "tumblix --window" "floor, the saver's polygon count" "floor, 200 polygons"; do
    check "frame row: $row" has_figures "$row" 4
done
for row in "Tumblix.scr /s under Wine" "floor for Windows under Wine"; do
    check "frame row: $row" has_figures "$row" 5
done
for row in "tumblix --fullscreen, native" "floor, native, full screen"; do
    check "frame row: $row" has_figures "$row" 2
done
check "idle rows" has_figures "floor, same polygon count" 3
check "the page's row" has_figures "the page in headless Chromium" 2
check "an unseen row" has_figures "Wayland on sway, on a hidden workspace" 5
check "start-up rows" has_figures "Tumblix.scr /s under Wine (server running)" 1
check "engine rows: 17 benchmarks" test "$(grep -cE '^\| (ThinkAI|Update|GameTick)' "$RESULTS")" = 17
check "engine rows have figures" has_figures "GameTick" 1
check "simulator speed" grep -qE '^\*\*[0-9]+ pieces per second' "$RESULTS"
check "memory rows" has_figures "tumblix-sim" 1
check "Tumblix.scr size" grep -qE '^Tumblix.scr: [0-9]+ bytes' "$RESULTS"
check "drawing ratio" grep -qE 'same polygon count: \*\*[0-9.]+' "$RESULTS"
check "Wine ratio" grep -qE 'Wine / tumblix native: \*\*[0-9.]+' "$RESULTS"
check "no figure is missing" sh -c "! grep -q 'n/a' '$RESULTS'"
check "the hacks are said to be left out" grep -q 'Not measured in this run (BENCH_HACKS=0)' "$RESULTS"
# The counter sees every glBegin and every swap once: the floor draws exactly 200 a frame.
check "the floor's 200 polygons are counted as 200 a frame" test "$(cell "floor, 200 polygons" 3)" = 200.0
matched() {
    awk -v a="$(cell "tumblix --window" 3)" -v b="$(cell "floor, the saver's polygon count" 3)" \
        'BEGIN { d = a - b; exit !(d <= 0.5 && d >= -0.5) }'
}
check "the floor draws as many polygons as the saver drew" matched
finish
